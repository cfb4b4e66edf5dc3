// Fuzz target: every program text run twice through the whole path, once
// with the machine's compiled forms and shortcuts (lifted binders, plans
// with their heads contracted, integer code, the alias, unbuilt-spine and
// argument shortcuts) and once as plain cells with all of them off. Both
// must end the same way: the same outcome fields and the same status. A
// run cut off by the budget is not compared (the two take different
// numbers of steps). Programs that reach the host are left out, as in the
// whole-path target, so nothing is written anywhere. Its kept inputs are
// replayed by `make test` through vesk both ways (VESK_ENGINE=cells).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "builtins/families.hpp"
#include "driver/checked_base.hpp"
#include "driver/run.hpp"
#include "driver/stages.hpp"
#include "engine/run_budget.hpp"
#include "engine/switches.hpp"
#include "fuzz_support.hpp"

namespace {

constexpr std::uint64_t kSteps = 50000;
constexpr std::uint64_t kHeapBytes = std::uint64_t{64} << 20;
constexpr double kSeconds = 2.0;

struct Ending {
    vesk::Outcome out;
    int status = 0;
    bool stopped = false;
};

Ending run(std::string_view text, bool compiled) {
    char* no_args[] = {nullptr};
    vesk::set_compiled_forms(compiled);
    Ending e;
    vesk::start_run_budget(kSteps, kHeapBytes, kSeconds);
    e.out = vesk::run_stages_on_base(vesk::fuzz::checked_base(), text, no_args, e.status,
                                     vesk::WaitMode::never);
    e.stopped = vesk::run_budget_ran_out();
    vesk::set_compiled_forms(true);
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vesk::fuzz::checked_base();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (vesk::fuzz::names_host_builtin(text)) return 0;
    Ending fast = run(text, true);
    Ending cells = run(text, false);
    if (fast.stopped || cells.stopped) return 0;
    const vesk::Outcome& a = fast.out;
    const vesk::Outcome& b = cells.out;
    if (a.code != b.code || a.say != b.say || a.vip != b.vip || a.tip != b.tip || a.way != b.way ||
        (vesk::is_check(a) && fast.status != cells.status)) {
        std::fprintf(stderr, "FINDING: compiled and cells end otherwise: %s %d / %s %d\n",
                     a.code.c_str(), fast.status, b.code.c_str(), cells.status);
        std::abort();
    }
    return 0;
}
