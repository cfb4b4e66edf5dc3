// BitString: a byte string read as a little-endian bit vector (bit i is bit
// i mod 8 of byte i / 8), the value behind every number leaf.
#pragma once

#include <string_view>

#include "terms/term.hpp"

namespace vesk {

using BitString = Bytes;

// The value N of a number-leaf text (digits only, non-empty), trimmed.
BitString text_to_bits(std::string_view text);
// The number-leaf text of a canonical value other than the one byte 1.
Bytes bits_to_text(std::string_view bits);
// The number leaf of a value, or the leaf K for the empty list (the byte 1).
TermRef bits_term(std::string_view bits);

}  // namespace vesk
