// Layout normalisation, bracket matching, top-level search and the cutting
// of chunks into atoms, over source text.
//
// Brackets: '(' and '{' open and ')' and '}' close interchangeably (the
// bracket check has already made sure they pair by kind); a square literal
// "[...]" is opaque: inside it only '[' and ']' count.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

// Drops leading and trailing blanks and newlines, and reduces every inner
// run of them to nothing (next to an operator or inside a bracket's edge) or
// to one blank or one newline (between two operands; a newline when the run
// held one). Square literals are copied unchanged.
Bytes normalise_layout(std::string_view text);
// Index of the bracket matching text[i], or i when text[i] is no bracket.
// Requires i < text.size() and a matching bracket in the text (asserts).
std::size_t match_bracket(std::string_view text, std::size_t i);
// First index from `start` whose byte is in `set` and lies outside all
// brackets, or none. Never fails: a stray closer is passed over.
std::optional<std::size_t> find_top(std::size_t start, std::string_view text, std::string_view set);
// True when a chunk splits into two atoms between the bytes p and c (c is
// not the chunk's first byte, and p is not inside a bracket group).
bool is_atom_cut(unsigned char p, unsigned char c);
// The cut positions of a chunk (text without top-level blanks, newlines or
// operators), in increasing order: atom k runs from cut k - 1 (or 0) to cut
// k (or the end). Bracket groups are passed over whole; requires balanced
// brackets (asserts through match_bracket).
std::vector<std::size_t> cut_chunk(std::string_view chunk);

}  // namespace vesk
