// The operator-precedence parser: normalised expression text to a term.
//
// Every operator is the application of the leaf of its character: "a+b" is
// ((+ a) b). Juxtaposition, a blank and a newline are plain application. An
// empty operand anywhere is the empty leaf "}". Levels, loosest first:
//    1  ; \ {       right    a{b}c is (({ a) b) c with b a comma list
//    2  ? newline   left     a newline applies the line before to the next
//    3  & |         right
//    4  = < > #     right
//    5  @ blank     left     a blank applies
//    6  + - : .     left
//    7  * / % '     left
//    8  ^           right
//    9-11 affixes ~ ! " $ `: trailing ones apply to everything before them,
//         leading ones to everything after, inner ones to the next operand
//   12  chunks: atoms side by side apply left to right; (a,b) after an atom
//         is a call list applying it to a and then b
//
// The parser runs on an explicit work stack, so nesting depth in the text
// costs heap, not C stack. It has no failures of its own on bracket-balanced
// text; unbalanced text is a broken invariant (the bracket check runs first).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

// Parses normalised, bracket-checked text from the loosest level.
[[nodiscard]] TermRef parse_expression(std::string_view text);
// Parses the text between a '{' and its '}' as a comma list: "a,b,c" is
// (, a (, b c)); one item is its own term; the empty text is the empty leaf.
[[nodiscard]] TermRef parse_brace_list(std::string_view text);
// The pieces of normalised, bracket-checked text between its top-level
// commas, each the term parse_expression gives for that piece alone, with
// the brackets paired once for the whole text. `commas` receives the
// commas' indices: piece i runs from just past comma i - 1 (or the start)
// to comma i (or the end).
[[nodiscard]] std::vector<TermRef> parse_comma_pieces(std::string_view text,
                                                      std::vector<std::size_t>& commas);
// The pieces of such text that start at `begins` (each just past a
// top-level comma, or 0), each read to the next top-level comma or the end
// with the term parse_comma_pieces gives for it, by one machine.
[[nodiscard]] std::vector<TermRef> parse_pieces_at(std::string_view text,
                                                   const std::vector<std::size_t>& begins);
// split_top(text, ",") in one pass over the brackets and commas.
std::vector<std::size_t> top_level_commas(std::string_view text);
// Indices of the top-level bytes of `text` that are in `set`, in order.
// Bracket groups are passed over whole (a '{' in the set is reported, and
// the search goes on after its '}'). Requires balanced brackets.
std::vector<std::size_t> split_top(std::string_view text, std::string_view set);

}  // namespace vesk
