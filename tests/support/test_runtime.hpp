// The runtime the running test works in. A run makes one Runtime and hands
// it down; a test reaches its own through rt(), which makes one on first use
// with the real built-ins, the real prelude and the built-in templates, as a
// run has them before it loads a program's definitions.
#pragma once

#include "runtime/runtime.hpp"

namespace vesk::test {

// The current test runtime, made on first use.
Runtime& rt();
// Replaces the current runtime by a new one (prelude and built-ins loaded).
void fresh_runtime();
// Replaces it by an empty one: no globals, no built-ins.
void empty_runtime();
// Destroys the current runtime, giving back every cell it holds.
void drop_runtime();

}  // namespace vesk::test
