// The "arity" check: the engine takes at most ten parameters per global.
#pragma once

#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"

namespace vesk {

inline constexpr int kMaxParameters = 10;

// The number of leading lambdas of `term` (borrowed), the chain
// ((\ x1) ((\ x2) ...)), counting at most kMaxParameters + 1.
int leading_lambdas(const TermRef& term);

// Checks every definition in name order; on the first with more than ten
// parameters fills `out` with the "arity" error and returns false.
[[nodiscard]] bool check_arity(const GlobalTable& globals, Outcome& out);

}  // namespace vesk
