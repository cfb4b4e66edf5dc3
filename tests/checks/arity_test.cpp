#include "checks/arity.hpp"

#include <gtest/gtest.h>

#include "../support/expect_outcome.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

using test::make_lambda;
using test::sx;

TermRef lambdas(int count, TermRef body) {
    for (int i = 0; i < count; ++i) {
        body = make_lambda(leaf_term(Bytes(1, static_cast<char>('a' + i % 26))), std::move(body));
    }
    return body;
}

TEST(LeadingLambdas, CountsOnlyTheLeadingChain) {
    EXPECT_EQ(leading_lambdas(sx("1")), 0);
    EXPECT_EQ(leading_lambdas(sx("(\\ a (\\ b a))")), 2);
    EXPECT_EQ(leading_lambdas(sx("(I (\\ a a))")), 0);
    EXPECT_EQ(leading_lambdas(sx("(\\ a (g (\\ b b)))")), 1);
    EXPECT_EQ(leading_lambdas(lambdas(500, sx("z"))), 11);
}

TEST(CheckArity, TenParametersPassElevenFail) {
    GlobalTable globals;
    globals.emplace("", sx("0"));
    globals.emplace("ten", lambdas(10, sx("0")));
    Outcome out;
    EXPECT_TRUE(check_arity(globals, out));
    globals.emplace("eleven", lambdas(11, sx("0")));
    globals.emplace("twelve", lambdas(12, sx("0")));
    ASSERT_FALSE(check_arity(globals, out));
    expect_outcome(out, {"arity", "Arity of function eleven may not exceed ten.", "eleven", ""});
}

// The main expression is stored under the empty name; the message calls it
// TOP, as the other messages about it do, and the vip line names it.
TEST(CheckArity, TheMainExpressionIsNamedTop) {
    GlobalTable globals;
    globals.emplace("", lambdas(11, sx("0")));
    Outcome out;
    ASSERT_FALSE(check_arity(globals, out));
    EXPECT_EQ(out.say, "Arity of function TOP may not exceed ten.");
    EXPECT_EQ(out.vip, "TOP");
}

}  // namespace
}  // namespace vesk
