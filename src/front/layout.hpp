// Layout normalisation, bracket matching and top-level search over source text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

Bytes normalise_layout(std::string_view text);
// Index of the bracket matching text[i], or i when text[i] is no bracket.
std::size_t match_bracket(std::string_view text, std::size_t i);
// First index from `start` whose byte is in `set` and lies outside all brackets.
std::optional<std::size_t> find_top(std::size_t start, std::string_view text,
                                    std::string_view set);

}  // namespace vesk
