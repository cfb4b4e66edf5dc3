// The "funky" check: every lambda and let must bind a name.
#pragma once

#include <optional>

#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"

namespace vesk {

// The first binder of `term` (borrowed) whose bound part is not a
// source-form name, or nothing. The walk takes the left part first: a
// lambda goes on with its body, a let with its value and then its body, any
// other pair with its left and then its right child.
[[nodiscard]] std::optional<TermRef> funky_binder(const TermRef& term);

// The "funky" error for `binder` (borrowed) found in the definition `name`
// ("" for the main expression).
[[nodiscard]] Outcome funky_outcome(const Bytes& name, const TermRef& binder);

// Checks every definition in name order; on the first funky binder fills
// `out` and returns false.
[[nodiscard]] bool check_funky(const GlobalTable& globals, Outcome& out);

}  // namespace vesk
