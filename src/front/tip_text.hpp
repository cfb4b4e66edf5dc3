#pragma once

#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// A name or text shortened for the tip and vip fields: a 5-byte text gets
// a blank and a double quote appended (so it cannot read as an error code),
// a text of at most 72 bytes stays, a longer one is cut to 69 bytes + "...".
Bytes tip_text(std::string_view s);

}  // namespace vesk
