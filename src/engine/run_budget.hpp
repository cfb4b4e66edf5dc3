// A bound on the work of one run, built only into the fuzz targets
// (VESK_RUN_BUDGET): an endless or ever-growing program must end the input,
// not the fuzzer. The shipped interpreter has no budget and no check.
//
// When the budget is spent the machine drops its continuation and yields
// the failure leaf Z; every machine running after that (an outer one that
// a built-in re-entered from, or the next step) stops the same way, so the
// run ends with an ordinary "range" outcome.
#pragma once

#include <cstdint>

namespace vesk {

struct RunBudget {
    std::uint64_t steps_left = 0;
    std::uint64_t heap_bytes_limit = 0;  // allocated bytes of the whole process
    std::int64_t deadline_ns = 0;        // on the monotonic clock; 0: none
};

// Starts a run's budget; one for the process, one thread. A run may also be
// held to `seconds` of wall time (0 for no limit): a few thousand steps
// that each work on numbers of a million bits take minutes although no
// step, and no heap, is large.
void start_run_budget(std::uint64_t steps, std::uint64_t heap_bytes, double seconds = 0);

// Counts one machine step; true once the steps, the heap or the time are
// used up.
bool run_budget_spent();

// Whether the budget of the run just ended ran out (its outcome then says
// where the run was stopped, not where it would have ended).
bool run_budget_ran_out();

}  // namespace vesk
