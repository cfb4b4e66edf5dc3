// The static checks of a loaded program: check_program prepares every
// definition of the global table for the reduction engine and rejects the
// programs it could not run.
#pragma once

#include "checks/free_names.hpp"
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

// The same checks for a program loaded over globals that passed them already
// (a checked base: the prelude, the built-in templates and the layout
// global, shared and annotated), so that only the program's own definitions
// are visited. `fresh` (consumed) holds the program's definitions and its
// main expression "", none of them a name the base defines; `uses` (consumed)
// holds the free names of every base definition. The outcome, the globals
// and every check's order are those check_program gives on the whole table.
// Definitions named in rt.pending.waiting are in rt.globals already as
// stand-ins, their free names in `uses`: they are left to settle when first
// used (checks/settle.hpp), through the hooks set here.
[[nodiscard]] Outcome check_program_over_base(Runtime& rt, GlobalTable fresh, NameUses uses);

}  // namespace vesk
