// The shapes literals take once the machine has unfolded them, read back
// into the texts and bytes they came from, and the list shapes the term
// built-ins give out. Every reader borrows its term, walks it with an
// explicit stack and answers empty for anything that is not its shape, so
// whatever a program passes is safe.
//
//   element list   K for no elements, else ((J init) last): init the list
//                  of all but the last element, last the list of that
//                  element (a group's elements, or those of a byte's
//                  bracket numeral). What a bracket text unfolds to.
//   pair form      V (X J) list: what a bracket text applied to V gives.
//   counted tree   Z for no bytes; a byte tree V (J (J b0 b1) (J b2 b3))
//                  (J (J b4 b5) (J b6 b7)) of I (1) and H (0) bits for one
//                  byte; V p q for the bytes of p then those of q, each a
//                  post or again a tree. What a post unfolds to.
//   byte list      K, or ((J b) rest) with b an integer 0 to 255: the list
//                  a post's bytes are given out as, first byte first.
#pragma once

#include <cstddef>
#include <optional>

#include "runtime/runtime.hpp"
#include "terms/term.hpp"

namespace vesk {

// Texts and byte strings read back from a term stop here: a term may share
// its parts, so a few cells can stand for a text far larger than memory.
inline constexpr std::size_t kMaxUnfoldedBytes = std::size_t{1} << 28;

// The stored text (between the outer brackets) of an element list. A
// single-element list that is a byte's bracket numeral reads as that byte,
// anything else as a group: a group whose text is exactly a byte's numeral
// therefore reads back as that byte.
std::optional<Bytes> element_list_text(const Term* t);
// The bytes of a counted tree.
std::optional<Bytes> counted_tree_bytes(const Term* t);
// The bytes of a byte list.
std::optional<Bytes> byte_list_bytes(const Term* t);
// The byte list of the bytes (borrowed), built with rt's J and K leaves.
TermRef byte_list(Runtime& rt, std::string_view bytes);

// The list of a pair form, or null when t is not one.
const Term* pair_form_list(const Term* t);
// V (X J) list, the list consumed.
TermRef make_pair_form(Runtime& rt, TermRef list);
// The two parts of a list cell ((J a) b), or false when t is not one.
bool list_cell_parts(const Term* t, const Term*& a, const Term*& b);

}  // namespace vesk
