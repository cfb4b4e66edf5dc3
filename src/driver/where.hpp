// Turning a position code of an error message back into a place in the
// program file, for `vesk --where CODE file`.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// The offset a five-digit position code stands for; the code may keep the
// square brackets of the message around it ("[____c]" is 3). Nothing for a
// text that is not a code, and for "!!!!!" (a place beyond 2^30 bytes).
std::optional<std::uint32_t> decode_position_code(std::string_view code);

// Line and column, both counted from 1, of byte `offset` in `text`; an
// offset at or past the end names the place just after the last byte.
struct LineColumn {
    std::size_t line = 1;
    std::size_t column = 1;
};
LineColumn line_column(std::string_view text, std::size_t offset);

// The report of `vesk --where`: the offset, then its line and column with
// the bytes there, once in the file's text as written (`raw`, borrowed) and
// once in its normalised text, since bracket and comma errors count in the
// first and every later message in the second.
Bytes where_report(std::uint32_t offset, std::string_view raw);

}  // namespace vesk
