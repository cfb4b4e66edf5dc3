#include "engine/run_budget.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(RunBudget, StepsRunOut) {
    start_run_budget(3, ~std::uint64_t{0});
    EXPECT_FALSE(run_budget_spent());
    EXPECT_FALSE(run_budget_spent());
    EXPECT_FALSE(run_budget_spent());
    EXPECT_TRUE(run_budget_spent());
    EXPECT_TRUE(run_budget_spent());
}

// A deadline ends a run that has steps to spare; without one, only the
// steps count.
TEST(RunBudget, DeadlinePasses) {
    start_run_budget(~std::uint64_t{0}, ~std::uint64_t{0}, 0.01);
    EXPECT_FALSE(run_budget_spent());
    std::uint64_t steps = 0;
    while (!run_budget_spent() && steps < (std::uint64_t{1} << 40)) ++steps;
    EXPECT_TRUE(run_budget_spent());
    EXPECT_GT(steps, 64u);
    start_run_budget(1000, ~std::uint64_t{0});
    steps = 0;
    while (!run_budget_spent()) ++steps;
    EXPECT_EQ(steps, 1000u);
}

}  // namespace
}  // namespace vesk
