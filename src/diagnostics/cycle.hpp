// The error of a constant whose value demands itself: the engine ends the
// evaluation with the cycle leaf ")" + name, which the run stage and the
// run-time definitions both report with this outcome.
#pragma once

#include <string_view>

#include "diagnostics/outcome.hpp"

namespace vesk {

// Code "cycle", naming the global (borrowed).
Outcome cycle_outcome(std::string_view name);

}  // namespace vesk
