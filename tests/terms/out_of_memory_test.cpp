// Every kind of failing allocation ends the process the same way: status
// 128, the "space" picture naming the activity, standard output flushed.
#include "terms/out_of_memory.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "terms/cells.hpp"

namespace vesk {
namespace {

const char kPicture[] =
    "\\\\/\\\\oh \\[space\\].*<say> Ran.*out.*of.*memory.*while.*checking.*the.*program\\.";

// Where the failing allocation's result would go, so it cannot be dropped.
void* volatile oom_sink = nullptr;

void with_activity(void (*fail)()) {
    set_activity("checking the program");
    install_out_of_memory_handler();
    fail();
}

// AddressSanitizer reports an impossible request itself instead of
// failing it, so there only the direct call is tried.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHostAllocator = false;
#else
constexpr bool kHostAllocator = true;
#endif

TEST(OutOfMemory, EveryFailingAllocationEndsWithThePicture) {
    struct Case {
        const char* what;
        void (*fail)();
        bool host;
    };
    for (Case c : {Case{"direct", [] { out_of_memory(); }, false},
                   Case{"operator new",
                        [] {
                            // A direct call: a new-expression could be elided.
                            volatile std::size_t huge = SIZE_MAX / 4;
                            oom_sink = ::operator new(huge);
                        },
                        true},
                   Case{"large cell", [] { allocate_cell(SIZE_MAX / 4); }, true}}) {
        if (c.host && !kHostAllocator) continue;
        EXPECT_EXIT(with_activity(c.fail), testing::ExitedWithCode(128), kPicture) << c.what;
    }
}

TEST(OutOfMemory, FlushesStandardOutputFirst) {
    std::string path = testing::TempDir() + "vesk_oom_stdout";
    EXPECT_EXIT(
        {
            if (std::freopen(path.c_str(), "w", stdout) == nullptr) std::_Exit(3);
            std::printf("written before");
            out_of_memory();
        },
        testing::ExitedWithCode(128), "space");
    std::ifstream in(path);
    std::stringstream got;
    got << in.rdbuf();
    EXPECT_EQ(got.str(), "written before");
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vesk
