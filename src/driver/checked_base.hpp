// A checked base: the globals every program starts from (the prelude, a
// template for every built-in, the layout global), loaded and prepared for
// the engine before the program, so that the checks visit only the
// program's own definitions. One base serves one run (`vesk file`), or many
// runs in one process, each starting from a copy (the whole-path fuzz
// target).
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

// Whether a program's definitions may wait to be parsed until first used:
// when the debug log is off (it shows every renamed definition at the
// start), always (for tests comparing the two ways), or never.
enum class WaitMode { when_unlogged, always, never };

// Loads the base into `base` (empty before), shared and annotated. The
// base's text is fixed and passes every check without a change (the tests
// hold it so), so only the passes that prepare it are taken here.
void prepare_checked_base(CheckedBase& base);

// run_stages for one program over `base`, which becomes the program's own
// runtime (its tables are used up). The text is consumed; the run records
// into `trail` (borrowed) when there is one.
[[nodiscard]] Outcome run_over_base(CheckedBase& base, Bytes text, char** args, int& status,
                                    ExplainTrail* trail = nullptr);

// What run_stages gives for the program text (borrowed) with `args`
// (borrowed), in a fresh runtime that starts as a copy of `base` (borrowed;
// its cells are shared, never changed, and the run leaves it as it was). A
// program that defines a name the base defines takes the whole path
// (run_whole_program) instead.
[[nodiscard]] Outcome run_stages_on_base(const CheckedBase& base, std::string_view text,
                                         char** args, int& status,
                                         WaitMode mode = WaitMode::when_unlogged);

}  // namespace vesk
