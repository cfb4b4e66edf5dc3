#pragma once

#include <string_view>

namespace vesk {

// "parenthesis" for ( ), "bracket" for [ ], "wing" for { }. Any other
// character is a broken invariant.
std::string_view bracket_kind_name(char bracket);

}  // namespace vesk
