#include "engine/run_budget.hpp"

#ifdef VESK_RUN_BUDGET
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_HEAP_FROM_SANITIZER 1
#endif
#endif
#ifdef VESK_HEAP_FROM_SANITIZER
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif
#endif

namespace vesk {

namespace {

RunBudget the_budget;

// The heap is measured every so many steps: the sanitizer's count is cheap
// but not free, and one step can grow the heap by a bounded amount only
// (the size guards hold in the fuzz build too).
constexpr std::uint64_t kHeapCheckEvery = 64;

#ifdef VESK_RUN_BUDGET
// The bytes the process has allocated: the sanitizer's count when it
// owns the heap, else the C library's (a fuzz build without ASan).
std::uint64_t allocated_bytes() {
#ifdef VESK_HEAP_FROM_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}
#endif

}  // namespace

void start_run_budget(std::uint64_t steps, std::uint64_t heap_bytes) {
    the_budget.steps_left = steps;
    the_budget.heap_bytes_limit = heap_bytes;
}

bool run_budget_spent() {
    if (the_budget.steps_left == 0) return true;
    --the_budget.steps_left;
#ifdef VESK_RUN_BUDGET
    if (the_budget.steps_left % kHeapCheckEvery == 0 &&
        allocated_bytes() > the_budget.heap_bytes_limit) {
        the_budget.steps_left = 0;
        return true;
    }
#endif
    return false;
}

}  // namespace vesk
