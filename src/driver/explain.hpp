// `vesk --explain`: after a run that ends with an error picture, a result
// that is not an integer, or an integer although a built-in gave Z on the
// way, a few tagged lines say where the first Z came from and which of the
// program's globals ran last. The machine fills an ExplainTrail
// (runtime/explain_trail.hpp); this file decides when it is wanted and
// writes it.
#pragma once

#include "runtime/explain_trail.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

// Whether the environment asks for the explanation: VESK_EXPLAIN set to a
// value other than the empty text and "0".
bool explain_from_environment();

// Points rt at `trail` for the run. The prelude's one-byte names whose
// definitions are still the prelude's are hidden from the trail.
void attach_trail(Runtime& rt, ExplainTrail& trail);

// The lines that follow an error picture on standard error (`failed`) or
// stand alone after a run that returned an integer whose trail holds a Z;
// empty for a successful run without one, and for a program that never
// reached the run stage (its picture says all there is). Each line is " <explain> " and
// the rendered text.
Bytes explain_report(const ExplainTrail& trail, bool failed, bool colour);

}  // namespace vesk
