#include "checks/funky.hpp"

#include <gtest/gtest.h>

#include "../support/expect_outcome.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

using test::sx;
using test::sx_show;

Bytes funky_shown(const char* text) {
    std::optional<TermRef> found = funky_binder(sx(text));
    return found ? sx_show(*found) : "none";
}

TEST(FunkyBinder, FindsBindersOfNoName) {
    EXPECT_EQ(funky_shown("(\\ 1 1)"), "(\\ 1 1)");
    EXPECT_EQ(funky_shown("(\\ (f }) x)"), "(\\ (f }) x)");
    EXPECT_EQ(funky_shown("(\\ } x)"), "(\\ } x)");
    EXPECT_EQ(funky_shown("({ (1 y) v y)"), "({ (1 y) v y)");
    EXPECT_EQ(funky_shown("({ [a] v y)"), "({ [a] v y)");
}

TEST(FunkyBinder, NamesOfEveryFormPass) {
    EXPECT_EQ(funky_shown("(\\ x (\\ xs (\\ K (\\ [+] (\\ _ x)))))"), "none");
    EXPECT_EQ(funky_shown("({ x 1 ({ ys 2 (x ys))"), "none");
    EXPECT_EQ(funky_shown("(g 1 [x] })"), "none");
    EXPECT_EQ(funky_shown("x"), "none");
}

TEST(FunkyBinder, TheLeftPartIsExaminedFirst) {
    EXPECT_EQ(funky_shown("((\\ 1 a) (\\ 2 b))"), "(\\ 1 a)");
    EXPECT_EQ(funky_shown("(\\ x (\\ 3 x))"), "(\\ 3 x)");
    // A let: the value before the body.
    EXPECT_EQ(funky_shown("({ x (\\ 4 a) (\\ 5 b))"), "(\\ 4 a)");
    // An outer funky binder is found before one in its body.
    EXPECT_EQ(funky_shown("(\\ 6 (\\ 7 a))"), "(\\ 6 (\\ 7 a))");
}

TEST(FunkyBinder, DeepTermsDoNotExhaustTheStack) {
    TermRef term = sx("(\\ 9 z)");
    for (int i = 0; i < 1000000; ++i) term = make_pair(leaf_term("g"), std::move(term));
    std::optional<TermRef> found = funky_binder(term);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(sx_show(*found), "(\\ 9 z)");
}

TEST(FunkyOutcome, MessagesForFunctionsAndTheMainExpression) {
    GlobalTable globals;
    globals.emplace("", sx("(g 1)"));
    globals.emplace("h", sx("(\\ x (\\ 1 1))"));
    Outcome out;
    ASSERT_FALSE(check_funky(globals, out));
    Bytes printed = "(\\1 1)";  // the whole binder, as the printer writes it
    expect_outcome(
        out, {"funky", "Funky key in expression " + printed + " in function h.", "h", printed});

    globals.at("") = sx("(\\ 1 1)");
    Outcome top;
    ASSERT_FALSE(check_funky(globals, top));
    EXPECT_EQ(top.say, "Funky key in expression " + printed + ".");
    EXPECT_EQ(top.vip, "");
}

TEST(FunkyOutcome, TheTipIsAnExcerptOfALongBinder) {
    TermRef body = leaf_term("x");
    for (int i = 0; i < 100; ++i) body = make_pair(leaf_term("g"), std::move(body));
    TermRef binder = make_pair(make_pair(leaf_term("\\"), leaf_term("1")), body);
    Outcome out = funky_outcome("abcde", binder);
    EXPECT_EQ(out.vip, "abcde \"");
    EXPECT_LE(out.tip.size(), 72u);
    EXPECT_GT(out.say.size(), 200u);
    EXPECT_EQ(out.say.find(out.tip.substr(0, 20)), Bytes("Funky key in expression ").size());
}

TEST(CheckFunky, ACleanTableLeavesTheOutcomeAlone) {
    GlobalTable globals;
    globals.emplace("", sx("(f 1)"));
    globals.emplace("f", sx("(\\ x x)"));
    Outcome out;
    EXPECT_TRUE(check_funky(globals, out));
    EXPECT_EQ(out.code, "check");
}

}  // namespace
}  // namespace vesk
