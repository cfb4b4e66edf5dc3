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
};

// Starts a run's budget; one for the process, one thread.
void start_run_budget(std::uint64_t steps, std::uint64_t heap_bytes);

// Counts one machine step; true once the steps or the heap are used up.
bool run_budget_spent();

}  // namespace vesk
