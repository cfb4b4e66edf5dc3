#include "engine/run_budget.hpp"

#include <time.h>

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

// The heap and the clock are read every so many steps: the sanitizer's
// count is cheap but not free, and one step can grow the heap by a bounded
// amount only (the size guards hold in the fuzz build too).
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

std::int64_t now_ns() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

bool over_budget() {
#ifdef VESK_RUN_BUDGET
    if (allocated_bytes() > the_budget.heap_bytes_limit) return true;
#endif
    return the_budget.deadline_ns != 0 && now_ns() > the_budget.deadline_ns;
}

}  // namespace

void start_run_budget(std::uint64_t steps, std::uint64_t heap_bytes, double seconds) {
    the_budget.steps_left = steps;
    the_budget.heap_bytes_limit = heap_bytes;
    the_budget.deadline_ns = seconds > 0 ? now_ns() + static_cast<std::int64_t>(seconds * 1e9) : 0;
}

bool run_budget_spent() {
    if (the_budget.steps_left == 0) return true;
    --the_budget.steps_left;
    if (the_budget.steps_left % kHeapCheckEvery == 0 && over_budget()) {
        the_budget.steps_left = 0;
        return true;
    }
    return false;
}

bool run_budget_ran_out() {
    return the_budget.steps_left == 0;
}

}  // namespace vesk
