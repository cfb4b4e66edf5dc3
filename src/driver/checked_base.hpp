// A checked base: the globals every program starts from (the prelude, a
// template for every built-in, the layout global), loaded and checked once,
// so that many programs in one process (the whole-path fuzz target) each
// pay only for their own definitions.
#pragma once

#include <string_view>

#include "checks/free_names.hpp"
#include "diagnostics/outcome.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

struct CheckedBase {
    // The base globals after every check: rewritten, shared and annotated.
    // Its built-in table, prelude table and leaves are copied into each run.
    Runtime rt;
    // Every subterm of the base globals (the sharing table before it keeps
    // only values), so a program's subterms meet the same cells they would
    // meet if the base were shared together with them.
    SharingTable sharing;
    // The free names of each base definition.
    NameUses uses;
};

// Loads and checks the base into `base` (empty before).
void prepare_checked_base(CheckedBase& base);

// What run_stages gives for the program text (borrowed) with `args`
// (borrowed), in a fresh runtime that starts as a copy of `base` (borrowed;
// its cells are shared, never changed, and the run leaves it as it was). A
// program that defines a name the base defines takes the whole path of
// run_stages instead.
[[nodiscard]] Outcome run_stages_on_base(const CheckedBase& base, std::string_view text,
                                         char** args, int& status);

}  // namespace vesk
