// Bit lists as terms: chains of cells ((J b) rest), b the leaf K (1) or H
// (0), ending in the leaf K or in a number leaf whose bit string follows.
// Internal to src/numbers; the public tests are in integers.hpp. All terms
// here are borrowed, and every walk along a chain is a loop.
#pragma once

#include <optional>

#include "numbers/bits.hpp"
#include "terms/term.hpp"

namespace vesk {

// True when t is the leaf whose whole text is the one byte c.
inline bool is_leaf_named(const Term* t, char c) {
    return is_leaf_cell(t) && leaf_chars(t)[0] == c && leaf_chars(t)[1] == '\0';
}
// True when t is a pair whose left child is (J bit), bit being 'K' or 'H':
// the first cell of a bit list whose first bit is that one.
bool starts_with_bit(const Term* t, char bit);
// True when t is a number leaf whose text is all digits.
bool is_digit_leaf(const Term* t);
// The complete-bit-list test: a non-empty chain of good cells ending in the
// leaf K or a digit leaf.
bool is_complete_chain(const Term* t);
// The code number of the bit string that a digit leaf, the leaf K or a
// complete chain denotes; nullopt for any other term.
std::optional<BitString> term_code_number(const Term* t);
// Replaces out with the number-leaf text of a complete chain's code number;
// false, with out holding nothing useful, when t is not a complete chain.
bool bit_list_text(const Term* t, Bytes& out);

}  // namespace vesk
