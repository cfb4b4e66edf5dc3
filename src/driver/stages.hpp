// The stages that follow start-up: prelude, definitions, checks and the run
// of the program's main expression.
#pragma once

#include "diagnostics/outcome.hpp"

namespace vesk {

struct Runtime;
struct ParsedProgram;
struct ExplainTrail;

// Runs the stages on the program text (consumed), handing `args` (borrowed:
// the null-terminated vector of the arguments after the file name) to the
// program. Returns the first outcome whose code is not "check"; on "check",
// `status` is set to the exit status taken from the program's integer.
// The prelude and the built-in templates are made ready as a checked base
// and the checks then visit the program's own definitions
// (driver/checked_base.hpp); the outcome is run_whole_stages's. With a
// `trail` (borrowed), the run stage records into it (driver/explain.hpp).
[[nodiscard]] Outcome run_stages(Bytes text, char** args, int& status,
                                 ExplainTrail* trail = nullptr);

// The same with every stage over the whole global table: the prelude and
// the templates are checked with the program. The path a program takes when
// it redefines a prelude name.
[[nodiscard]] Outcome run_whole_stages(Bytes text, char** args, int& status);
// The same on a parsed program (consumed).
[[nodiscard]] Outcome run_whole_program(ParsedProgram& program, char** args, int& status,
                                        ExplainTrail* trail = nullptr);

// The run stage of a checked program in rt: its main expression applied to
// the address of rt's argument vector, reduced and classified; on "check",
// `status` is set to the exit status taken from the result. The run
// records into `trail` (borrowed) when there is one.
[[nodiscard]] Outcome run_program(Runtime& rt, int& status, ExplainTrail* trail = nullptr);

}  // namespace vesk
