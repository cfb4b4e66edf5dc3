// Error pictures: the duck that shows an Outcome on standard error, the
// coloured glyph rendering of its text fields, and the short excerpts the
// stages put into vip and tip.
#pragma once

#include <string_view>

#include "diagnostics/outcome.hpp"

namespace vesk {

// Longest text `excerpt` returns.
inline constexpr std::size_t kExcerptLimit = 72;

// The reset sequence written before every picture and after coloured glyphs.
inline constexpr std::string_view kResetColour = "\033[m";

// Every byte of `text` (borrowed) as exactly one visible glyph: plain
// printable bytes as themselves, bytes 161-254 as the byte minus 128 in red,
// and the rest (controls, the blank, 127-160, 255) as a letter, digit or
// punctuation mark in green. A colour change is written only when the class
// changes; the result ends in the plain colour. Never fails. Without
// `colour` the same glyphs come without any sequence.
Bytes render(std::string_view text, bool colour = true);

// The whole picture of `out` (borrowed): three lines of duck with the code
// in its bubble (the code's bytes as stored, not rendered), then one tagged,
// rendered line for each non-empty field in the order way, vip, tip, say.
// Every line ends with a newline; the reset sequence is not included.
// Without `colour` the fields are rendered without colour sequences.
Bytes error_picture(const Outcome& out, bool colour = true);

// The picture shown when vesk is started without a program file.
std::string_view usage_picture();

// The first bytes of `text` (borrowed) that fit in 72 bytes once every
// bracket still open is closed, followed by those closing brackets. Inside
// a square bracket only square brackets nest; elsewhere ( { [ open and ) }
// close whatever is innermost. A closer with nothing open is plain text.
// The whole text comes back unchanged when it fits.
Bytes excerpt(std::string_view text);

}  // namespace vesk
