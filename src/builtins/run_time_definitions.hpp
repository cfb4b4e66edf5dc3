// Program text loaded into a running program: what `road` and `load` do
// before they reduce the text's main expression.
//
// The text goes through the program loader's own pieces (the bracket check,
// normalisation, the split at top-level commas and the parse) and then
// through the static checks, over the new definitions and the text's main
// expression only. Names already defined were checked when they were
// loaded, so the checks stop at them. Nothing enters the running program's
// globals until every check has passed: a failure leaves them as they were.
#pragma once

#include <optional>

#include "diagnostics/outcome.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

// Loads the text (consumed) into rt. On success the text's definitions are
// globals of rt, shared and annotated, and the result is the text's main
// expression, ready to reduce. On failure it is empty and `out` holds the
// first error:
//   a bracket failure   "match" (way "yes") or "comma"
//   a refused name      "lower"; "built" for a built-in's or a binder's
//                       name ("Built in function NAME cannot be
//                       re-defined.", no brackets); "roads" for any name
//                       rt already defines
//   a failed check      "funky", "alive", "place", "arity", "local", as the
//                       program checks report them, except in their say:
//                         Funky key in expression E[ in function F]
//                         Alive function F references undefined function G
//                         Place error.  /  Place error in function F
//                         Local variable X unbound.  /  ... unbound in function F
//                       (no full stop after a funky expression or a name at
//                       the end; arity's message is the program's)
[[nodiscard]] std::optional<TermRef> define_at_run_time(Runtime& rt, Bytes text, Outcome& out);

}  // namespace vesk
