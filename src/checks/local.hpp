// The "local" check: no definition may use a variable it does not bind.
#pragma once

#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"

namespace vesk {

// Checks every definition in name order through its annotation's set of
// free one-letter variables; on the first that has one fills `out` with the
// "local" error naming the alphabetically first such letter and returns false.
[[nodiscard]] bool check_local(const GlobalTable& globals, Outcome& out);

}  // namespace vesk
