// Loading a program's text into a runtime's global table: a template for every
// built-in, the main expression under the empty name, then each definition
// under its name.
#pragma once

#include "diagnostics/outcome.hpp"
#include "terms/term.hpp"

namespace vesk {

// The template of a built-in of the given arity: arity lambdas over the
// letters a, b, .. around the leaf Z, so that its name has that arity.
[[nodiscard]] TermRef builtin_template(int arity);

struct Runtime;

// Enters the template of every built-in of rt.builtins into its globals.
void install_builtin_templates(Runtime& rt);

// Loads the program text (consumed) into the runtime's globals. Returns the bracket check's outcome
// ("match" or "comma") when it fails, "lower" for a one-letter lower-case
// name, "built" for a binder's or a built-in's name, and "check" otherwise.
// A definition is `name\body` (cached) or `name()\body` (uncached, stored as
// (I body)); segments of another form are skipped. A later definition of a
// name replaces an earlier one; on an error the definitions stored before
// it stay.
[[nodiscard]] Outcome load_definitions(Runtime& rt, Bytes text);

}  // namespace vesk
