// Name rules for source-form names and term-form name leaves.
#pragma once

#include <string_view>

#include "terms/term.hpp"

namespace vesk {

bool is_lower_name(std::string_view t);
bool is_name(std::string_view t);
// "[+]" gives "+"; every other name is returned unchanged. Requires is_name.
Bytes name_text(std::string_view t);
bool is_name_leaf(std::string_view t);

}  // namespace vesk
