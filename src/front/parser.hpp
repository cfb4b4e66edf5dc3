// The operator-precedence parser: normalised expression text to a term.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

// Parses normalised, bracket-checked text from the loosest level.
TermRef parse_expression(std::string_view text);
// Parses the text between a '{' and its '}' as a comma list.
TermRef parse_brace_list(std::string_view text);
// Indices of the top-level bytes of `text` that are in `set`, in order.
std::vector<std::size_t> split_top(std::string_view text, std::string_view set);

}  // namespace vesk
