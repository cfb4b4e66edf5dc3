// The "alive" check: every global reachable from the main expression is
// defined.
#pragma once

#include "checks/free_names.hpp"
#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"

namespace vesk {

// Walks the globals reachable from the main expression (the name "") through
// their free names, smallest waiting name first. Each waiting name remembers
// the last global that referred to it. The first waiting name that is not in
// `globals` fills `out` with the "alive" error naming it and its referrer
// ("TOP" for the main expression) and returns false.
[[nodiscard]] bool check_alive(const GlobalTable& globals, Outcome& out);
// The same with the free names of the definitions already at hand.
[[nodiscard]] bool check_alive(const GlobalTable& globals, const NameUses& uses, Outcome& out);

}  // namespace vesk
