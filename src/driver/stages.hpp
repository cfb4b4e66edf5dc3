// The stages that follow start-up: prelude, definitions, checks and the run
// of the program's main expression.
#pragma once

#include "diagnostics/outcome.hpp"

namespace vesk {

struct Runtime;

// Runs the stages on the program text (consumed), handing `args` (borrowed:
// the null-terminated vector of the arguments after the file name) to the
// program. Returns the first outcome whose code is not "check"; on "check",
// `status` is set to the exit status taken from the program's integer.
[[nodiscard]] Outcome run_stages(Bytes text, char** args, int& status);

// The run stage of a checked program in rt: its main expression applied to
// the address of rt's argument vector, reduced and classified; on "check",
// `status` is set to the exit status taken from the result.
[[nodiscard]] Outcome run_program(Runtime& rt, int& status);

}  // namespace vesk
