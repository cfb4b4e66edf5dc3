// The run stage's reading of the reduced result of a program: a cycle, an
// error value, an integer (success) or anything else (an error).
#pragma once

#include <string_view>

#include "diagnostics/cycle.hpp"
#include "diagnostics/outcome.hpp"

namespace vesk {

// The outcome of the reduced result `result` (consumed), tried in order:
// - a leaf ")name": the engine met a cycle in the global `name`: code "cycle";
// - an error value: its five fields, unless they decode to code "check"
//   (a value built by the program that carries no error), which counts as
//   the non-integer it is;
// - an integer: `status` set to the low 32 bits of its value, and a new
//   Outcome ("check") returned;
// - anything else: code "range" with the printed term.
[[nodiscard]] Outcome classify_result(TermRef result, int& status);

// The outcome of a result that is not an integer, from its printed text
// (borrowed).
[[nodiscard]] Outcome range_outcome(std::string_view printed);

}  // namespace vesk
