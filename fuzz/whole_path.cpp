// Fuzz target: a program text through the whole run (prelude, definitions,
// checks, run), as `vesk file` would take it, under a step and heap budget.
// The prelude and built-in templates are loaded and checked once, and each
// input starts from a copy of them, as `vesk file` would start from its own
// (tests/driver/checked_base_test.cpp holds the two ways equal).
// Every outcome that is not a success must make a well-formed failure
// report, and nothing may reach standard output. Programs that name a
// built-in reaching the host (streams, files, processes, raw memory) are
// left out: they may print, exit, remove files or write anywhere, all of
// which the language allows them.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "builtins/families.hpp"
#include "driver/checked_base.hpp"
#include "driver/run.hpp"
#include "driver/stages.hpp"
#include "engine/run_budget.hpp"
#include "fuzz_support.hpp"
#include "picture_check.hpp"

namespace {

// Enough for every example program; an endless loop is cut off in
// milliseconds.
constexpr std::uint64_t kSteps = 50000;
constexpr std::uint64_t kHeapBytes = std::uint64_t{64} << 20;
// Far below the fuzzer's timeout: steps on numbers of a million bits take
// tens of milliseconds each, so a run of them outlasts any step count.
constexpr double kSeconds = 2.0;

[[noreturn]] void finding(const char* what, const std::string& detail) {
    std::fprintf(stderr, "FINDING: %s: %s\n", what, detail.c_str());
    std::abort();
}

// Standard output goes to an in-memory file whose size tells whether a run
// wrote to it.
void capture_stdout() {
    int fd = memfd_create("vesk-stdout", 0);
    if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) std::abort();
    close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    capture_stdout();
    vesk::fuzz::checked_base();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (vesk::fuzz::names_host_builtin(text)) return 0;
    char* no_args[] = {nullptr};
    // Each input runs with its definitions parsed at once and again with the
    // plain ones waiting until used: both must end the same way.
    int status = 0;
    vesk::start_run_budget(kSteps, kHeapBytes, kSeconds);
    vesk::Outcome out =
        vesk::run_stages_on_base(vesk::fuzz::checked_base(), text, no_args, status, vesk::WaitMode::never);
    bool stopped = vesk::run_budget_ran_out();
    int waited_status = 0;
    vesk::start_run_budget(kSteps, kHeapBytes, kSeconds);
    vesk::Outcome waited = vesk::run_stages_on_base(vesk::fuzz::checked_base(), text, no_args, waited_status,
                                                    vesk::WaitMode::always);
    stopped = stopped || vesk::run_budget_ran_out();
    if (!stopped && (waited.code != out.code || waited.say != out.say || waited.vip != out.vip ||
                     waited.tip != out.tip || waited.way != out.way ||
                     (vesk::is_check(out) && waited_status != status))) {
        finding("waiting definitions end otherwise", out.code + " / " + waited.code);
    }
    if (!vesk::is_check(out)) {
        std::string fault = vesk::picture_fault(vesk::failure_report(out));
        if (!fault.empty()) finding("malformed error picture", fault);
    }
    std::fflush(stdout);
    if (lseek(STDOUT_FILENO, 0, SEEK_END) != 0) finding("standard output written", "");
    return 0;
}
