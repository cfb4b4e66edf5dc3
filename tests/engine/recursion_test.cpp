// Whole reductions of recursive programs written by hand, on the test
// built-ins for small integers: results, deep recursion on the heap, and
// tail loops in constant memory.
#include <algorithm>
#include "../support/test_runtime.hpp"

#include "builtins/values.hpp"
#include "engine/integer_body.hpp"
#include "engine/machine.hpp"
#include "engine_support.hpp"
#include "runtime/call.hpp"

namespace vesk::test {
namespace {

using Recursion = EngineTest;

std::int64_t int_of(const TermRef& t) {
    auto v = integer_argument(t.cell);
    EXPECT_TRUE(v.has_value()) << show(t);
    return v.value_or(-1);
}

// Both ways: as cells, and as the integer code these bodies compile to.
TEST_F(Recursion, Fibonacci) {
    define("fib", "\\ n (less n 2 n (plus (fib (dash n 1)) (fib (dash n 2))))");
    for (bool code : {false, true}) {
        engine_integer_bodies = code;
        EXPECT_EQ(int_of(evaluate(rt(), term("fib 0"))), 0);
        EXPECT_EQ(int_of(evaluate(rt(), term("fib 1"))), 1);
        EXPECT_EQ(int_of(evaluate(rt(), term("fib 15"))), 610);
    }
    engine_integer_bodies = true;
}

TEST_F(Recursion, DeepNonTailRecursionGrowsTheHeapOnly) {
    define("sum", "\\ n (less n 1 0 (plus n (sum (dash n 1))))");
    for (bool code : {false, true}) {
        engine_integer_bodies = code;
        EXPECT_EQ(int_of(evaluate(rt(), term("sum 1000000"))), 500000500000);
    }
    engine_integer_bodies = true;
}

TEST_F(Recursion, BuildAndConsumeALongList) {
    define("mk", "\\ n (less n 1 K (J n (mk (dash n 1))))");
    define("tot", "\\ l (l 0 (\\ h (\\ t (plus h (tot t)))))");
    EXPECT_EQ(int_of(evaluate(rt(), term("tot (mk 1000000)"))), 500000500000);
}

// Records the live cell count each time it is called; returns its argument.
std::vector<std::uint64_t> live_samples;
TermRef probe_handler(Call& call) {
    live_samples.push_back(cell_counts().live);
    return TermRef(call.args[0]);
}

TEST_F(Recursion, TailLoopRunsInConstantMemory) {
    install_builtin("probe", 1, probe_handler);
    define("go", "\\ n (\\ s (less n 1 s (go (dash n 1) (plus s (probe n)))))");
    live_samples.clear();
    EXPECT_EQ(int_of(evaluate(rt(), term("go 200000 0"))), 20000100000);
    ASSERT_EQ(live_samples.size(), 200000u);
    auto [low, high] = std::minmax_element(live_samples.begin() + 10, live_samples.end());
    EXPECT_LT(*high - *low, 64u) << "live cells grew during a tail loop";
}

TEST_F(Recursion, LetAndLambdaValuesInLoops) {
    // A let inside a recursive function: the bound value is computed once
    // per call and shared by both uses.
    define("sq", "\\ n ({ m (plus n 0) (mult m m))");
    define("sums", "\\ n (less n 1 0 (plus (sq n) (sums (dash n 1))))");
    EXPECT_EQ(int_of(evaluate(rt(), term("sums 100"))), 338350);
}

}  // namespace
}  // namespace vesk::test
