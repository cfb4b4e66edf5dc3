// The static checks of a loaded program: check_program prepares every
// definition of the global table for the reduction engine and rejects the
// programs it could not run.
#pragma once

#include "diagnostics/outcome.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

// Works on the runtime's global table in place, in eleven steps, each visiting the
// definitions in name order (the main expression "" first):
//   1. the layout global "_"            (platform_layout.hpp)
//   2. quotes rewritten                 (quotes.hpp)
//   3. pattern lets rewritten           (pattern_lets.hpp)
//   4. every binder binds a name        "funky"  (funky.hpp)
//   5. reachable names are defined      "alive"  (alive.hpp)
//   6. broken unreachable globals restored from the prelude or removed (prune.hpp)
//   7. bound names renamed to letters   "place"  (letters.hpp)
//   8. at most ten parameters           "arity"  (arity.hpp)
//   9. equal subterms shared            (sharing.hpp)
//  10. no unbound variables             "local"  (local.hpp)
//  11. every definition annotated
// Returns the first error's Outcome (rewrites made before it stay), or the
// default Outcome (code "check") when the program is ready to run.
[[nodiscard]] Outcome check_program(Runtime& rt);

}  // namespace vesk
