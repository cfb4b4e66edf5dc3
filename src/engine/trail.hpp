// Recording a run into an ExplainTrail (runtime/explain_trail.hpp) for
// `vesk --explain`. The machine calls these only when its runtime has a
// trail; each call site is one pointer test when it has none. They are kept
// out of line and cold, so that link-time inlining never grows the
// machine's hot paths with code a plain run does not take.
#pragma once

#include <span>

#include "engine/machine_state.hpp"

namespace vesk {

// The global named by the leaf `name` (borrowed) has its body unfolded:
// it becomes the innermost open call and the latest of the recent calls.
[[gnu::cold, gnu::noinline]] void trail_global_call(Machine& m, Term* name);

// The built-in of `row` gave `result` (borrowed) on `args` (borrowed, as
// its handler saw them). The first result that is the leaf Z is kept, with
// its arguments and the innermost open call.
[[gnu::cold, gnu::noinline]] void trail_builtin_result(Machine& m, const BuiltinRow& row,
                                                      std::span<Term* const> args,
                                                      const Term* result);

}  // namespace vesk
