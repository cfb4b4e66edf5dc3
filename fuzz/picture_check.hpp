// What a well-formed failure report looks like, for the fuzz targets and
// their tests: the reset sequence, the three duck lines with the code in
// the bubble, then only tagged lines (way, vip, tip, say, each at most once
// and in that order) whose text is glyphs and colour escapes.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Empty when `report` (borrowed) is well formed, else why it is not.
std::string picture_fault(std::string_view report);

}  // namespace vesk
