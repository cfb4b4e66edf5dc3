// The bracket and comma check of a raw source text, run before anything is
// normalised or parsed. Positions in its messages are indices into the text
// it was given, as five-digit position codes.
#pragma once

#include <cstddef>
#include <string_view>

#include "diagnostics/outcome.hpp"

namespace vesk {

// True when the text's brackets match and its commas are well placed.
// Otherwise fills `out` (code "match" or "comma", say, vip, tip) and returns
// false. Only the first error is reported: bracket errors in text order (an
// unclosed bracket once the whole text is read), then comma errors.
bool check_brackets(std::string_view text, Outcome& out);
// The same, also storing the index of the error in `error_position` when it
// fails (left untouched on success).
bool check_brackets(std::string_view text, Outcome& out, std::size_t& error_position);

}  // namespace vesk
