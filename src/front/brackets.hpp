// The bracket and comma check of a raw source text.
#pragma once

#include <string_view>

#include "driver/outcome.hpp"

namespace vesk {

// True when the text's brackets match and its commas are well placed.
// Otherwise fills `out` (code "match" or "comma", say, vip, tip) and returns false.
bool check_brackets(std::string_view text, Outcome& out);

}  // namespace vesk
