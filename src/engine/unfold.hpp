// One-level unfolding of literal leaves, used when the engine applies a
// literal. Each piece an unfolding returns is again a literal (or a small
// combinator tree of shared leaves), so nothing is expanded further than a
// program looks.
//
//   number leaf   V tag rest: the first element of its bit list and the rest
//   counted leaf  Z when empty; a byte tree of I/H bits for one byte;
//                 else V of the counted leaves of its two halves
//   raw leaf      the depth-6 V tree of its 64 bits, K for 1 and H for 0
//   bracket data  init and last element, or the whole J list
//
// A bracket term is a bracket leaf, whose text is "[", elements and "]", or a
// pair of bracket terms (their texts joined). An element is a single byte or
// a nested bracket group. A leaf whose brackets do not balance still reads
// one way: the final "]" closes the outer bracket when present, and a "[" or
// "]" inside without a partner is a single-byte element.
#pragma once

#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// ---- Number leaves (texts of digits only) ----------------------------------

// First list element of a number-leaf text: H for texts beginning "00", K for
// every other.
TermRef number_tag(std::string_view text);
// The list without its first element: K when that leaves the empty list
// ("0" and "00"), else the number leaf of the rest.
TermRef number_payload(std::string_view text);

// ---- Counted leaves ---------------------------------------------------------

// "(" base-64 length ")": what a counted leaf of `length` payload bytes
// holds before its payload.
Bytes counted_prefix(std::size_t length);
// The counted leaf "(" base-64 length ")" payload of the bytes (borrowed).
TermRef counted_leaf(std::string_view payload);
// The payload bytes of a counted leaf (borrowed), valid while it lives.
// Asserts a counted leaf.
std::string_view counted_payload(const TermRef& counted);
// A counted leaf's tree (borrowed): Z for no bytes; for one byte b the tree
// V (J (J b0 b1) (J b2 b3)) (J (J b4 b5) (J b6 b7)), bit 0 lowest, I for 1
// and H for 0; for n >= 2 bytes V p q, p the first m bytes with m the largest
// power of two below n, q the remaining n - m. Splitting there (not taking
// the last m, which would overlap p) keeps different byte strings apart.
TermRef counted_unfold(const TermRef& counted);

// ---- Raw leaves -------------------------------------------------------------

// The depth-6 tree over the 64 bits of a raw leaf (borrowed), read little-
// endian: V (lower half) (upper half) at each level, bit 0 leftmost, each bit
// K for 1 and H for 0. Asserts a raw leaf.
TermRef real_tree(const TermRef& raw);

// ---- Bracket data -----------------------------------------------------------

// True for a bracket leaf with no element: "[]" (and "[" that lost its
// closer). False for a pair. Asserts a bracket leaf or a pair (data).
bool is_empty_bracket(const TermRef& data);
// All but the last element (borrowed): a pair's left child; for a leaf, the
// bracket leaf of its text up to its last element, closed by "]". Asserts a
// non-empty bracket term.
TermRef bracket_init(const TermRef& data);
// The last element (borrowed): a pair's right child; for a leaf, a nested
// group as written, or the bracket numeral of a single byte. Asserts a
// non-empty bracket term.
TermRef bracket_last(const TermRef& data);
// The J list (borrowed): K for an empty leaf, else J (list of init) (list of
// last), every element and nested group expanded in turn. Built with
// explicit stacks; cells that occur more than once in the data are listed
// once and shared.
TermRef bracket_list(const TermRef& data);

// The bracket numeral of a byte: the tree numeral of its row of the
// character code table plus 145. Bytes 10, "[" and "]" have no entry in the
// text numeral map (their rows are 245, 246 and 247) but keep the numeral of
// their row here, so every byte of a bracket text has its own element.
Bytes byte_numeral(unsigned char byte);
// The byte whose bracket numeral is the text; absent for other texts.
std::optional<unsigned char> numeral_byte(std::string_view numeral);

}  // namespace vesk
