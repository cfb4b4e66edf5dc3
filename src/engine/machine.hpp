// The reduction machine: turns a closed term into a value.
//
// A state is the pair (continuation focus). The continuation is the leaf I
// (nothing left to do) or a return frame ((B k) g): once the focus is a
// value v, continue with k and focus (g v); a return frame whose g is (T x)
// is an argument frame: apply the value to x. Applications with a linear
// head are contracted at once; any other application has its arguments
// reduced to values first, left to right. Constant globals are computed at
// most once and their values stored in the global table.
//
// Internally the machine keeps the continuation as a frame stack (see
// machine_state.hpp); the functions below that take and return states
// convert between the two forms.
#pragma once

#include <cstdint>

#include "engine/shape.hpp"
#include "runtime/runtime.hpp"
#include "terms/term.hpp"

namespace vesk {

// Machine steps taken by this process so far: a plain counter, cheap to
// read, for benchmarks.
inline std::uint64_t engine_step_count = 0;

// Whether a step that meets an operator name such as + takes it to the
// built-in it stands for and applies that in the same step. On unless a
// test turns it off to compare the shortcut with the plain transitions,
// which give the same results and the same terms.
inline bool engine_alias_shortcut = true;
// Whether a global's body leaves the over-applied pairs of its head spine
// unbuilt, their arguments going straight onto the frames (the step that
// would take the pairs apart again is saved). On unless a test compares.
inline bool engine_unbuilt_spine = true;
// Whether a value meeting an argument frame that still needs reducing goes
// straight to reducing it, without building the pair of the two that the
// next step would take apart. On unless a test compares.
inline bool engine_argument_shortcut = true;

// The functions below reduce in the runtime `rt`: its globals, built-ins and
// caches.
//
// The value of the closed term t (consumed): drive of the state (I t).
[[nodiscard]] TermRef evaluate(Runtime& rt, TermRef t);
// Steps the state (consumed) until its continuation is I and its focus a
// value, and returns that focus. An error value, a missing-name leaf or a
// cycle leaf ends the run early as the result. Nested calls (from built-ins
// that evaluate text of their own) share the runtime.
[[nodiscard]] TermRef drive(Runtime& rt, TermRef state);
// The next state of a state that is not finished (consumed). One step may
// take several elementary transitions at once: a value meeting an argument
// frame is applied to its argument (the T contraction); a term applied to
// more arguments than its head takes descends to the head; a value whose
// frames complete a redex has that redex contracted.
[[nodiscard]] TermRef step(Runtime& rt, TermRef state);
// Contracts the state's focus, which must be a saturated redex (consumed):
// usually (continuation contractum).
[[nodiscard]] TermRef contract(Runtime& rt, TermRef state);

}  // namespace vesk
