// Loading a program's text into the global table: a template for every
// built-in, the main expression under the empty name, then each definition
// under its name.
#pragma once

#include "driver/outcome.hpp"
#include "terms/term.hpp"

namespace vesk {

// The template of a built-in of the given arity: arity lambdas over the
// letters a, b, .. around the leaf Z, so that its name has that arity.
TermRef builtin_template(int arity);

// Loads the program text (consumed). Returns the bracket check's outcome
// ("match" or "comma") when it fails, "lower" for a one-letter lower-case
// name, "built" for a binder's or a built-in's name, and "check" otherwise.
// A definition is `name\body` (cached) or `name()\body` (uncached, stored as
// (I body)); segments of another form are skipped. A later definition of a
// name replaces an earlier one; on an error the definitions stored before
// it stay.
Outcome load_definitions(Bytes text);

}  // namespace vesk
