// The runtime: everything one run of a program owns besides its cells.
//
// One Runtime is made per run (the driver makes it; a test makes its own),
// and every table that the loader, the checks, the machine and the built-ins
// read or write lives here, so two runtimes never see each other's state
// and destroying one gives back every cell and host resource it holds. The
// cell pool alone stays process-wide (terms/cells.hpp).
//
// The engine holds the runtime it reduces in and hands it to every built-in
// through the call context (runtime/builtin_table.hpp).
#pragma once

#include <vector>

#include "runtime/builtin_table.hpp"
#include "runtime/common_leaves.hpp"
#include "runtime/explain_trail.hpp"
#include "runtime/globals.hpp"
#include "runtime/host_resources.hpp"
#include "runtime/pending.hpp"
#include "runtime/sharing_table.hpp"

namespace vesk {

struct Runtime {
    // Name -> definition: the prelude, a template for every built-in, the
    // program's definitions. The engine replaces entries in place when it
    // caches constant values.
    GlobalTable globals;
    // Names whose last definition was written name()\body: never cached.
    UncachedNames uncached;
    // The global table as it stood right after the prelude was loaded.
    GlobalTable prelude;
    // Every built-in by name (filled from the families by the layer above).
    BuiltinTable builtins;
    // Structurally equal terms made one cell by the checks; afterwards only
    // values, which built-ins may hand out as shared copies.
    SharingTable sharing;
    // Definitions that passed the checks from a quick read and wait to be
    // parsed until first used. While any waits, the sharing table keeps
    // every entry (a waiting one shares with them when it settles); see
    // settle_name and settle_everything below.
    PendingDefinitions pending;
    // The one-byte leaves the machine and the built-ins build terms with.
    CommonLeaves leaves;
    // The null-terminated vector of the program's arguments (borrowed from
    // the process), or null before the run.
    char** arguments = nullptr;
    // Streams, directories, sockets and memory blocks opened by built-ins.
    HostResources host;
    // Cells whose address a program was given (`leak`): each kept alive
    // until the run ends.
    std::vector<TermRef> kept;
    // How many run-time definitions (`road`, `load`) are evaluating their
    // text inside one another right now; each level is a nested machine on
    // the C stack, so the depth is bounded.
    std::size_t nested_runs = 0;
    // Where the machine records the run for `vesk --explain`, or null (the
    // trail belongs to the driver and outlives the run).
    ExplainTrail* trail = nullptr;

    Runtime() = default;
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;
    // The leaves and the sharing table go before the globals that their
    // annotations were read from; the host resources are closed last.
    ~Runtime() = default;
};

// Before a global is read by name: a waiting definition of `name` is
// settled first, so that what is read is its checked form.
inline void settle_name(Runtime& rt, std::string_view name) {
    if (!rt.pending.waiting.empty()) rt.pending.settle(rt, name);
}
// Before anything that reads the whole global table or the sharing table:
// every waiting definition is settled.
inline void settle_everything(Runtime& rt) {
    if (!rt.pending.waiting.empty()) rt.pending.settle_all(rt);
}

}  // namespace vesk
