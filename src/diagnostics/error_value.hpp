// Error values: how an Outcome travels through a running program. The value
// is the pair of the leaf "]" and a bracket leaf holding the five fields:
//
//   ['["say]["code]["vip]["tip]["way]]
//
// A group opened by [" is a text and the group opened by [' is the list of
// them. A field whose own square brackets do not balance would end its
// group early, so such a field is written as an escaped group instead,
// opened by [\ and with \( for '[', \) for ']' and \\ for '\'. Balanced
// fields are always written plainly.
#pragma once

#include <string_view>

#include "diagnostics/outcome.hpp"

namespace vesk {

// The bracket text of the error value of `out` (borrowed).
Bytes error_value_text(const Outcome& out);

// The error value term of `out` (borrowed): the pair of the leaf "]" and the
// bracket leaf of error_value_text.
[[nodiscard]] TermRef make_error_value(const Outcome& out);

// True when `r` (borrowed) is a pair whose left child is a leaf starting
// with ']': the shape the run stage and the engine treat as an error value.
bool is_error_value(const TermRef& r);

// The five fields read back from an error value's bracket text (borrowed).
// A running program can build any text, so this never fails: a text shorter
// than 4 bytes gives a new Outcome (code "check"), and a field that is
// missing or whose group is not closed reads as empty, as do all after it.
[[nodiscard]] Outcome decode_error_value(std::string_view text);

}  // namespace vesk
