#include "checks/check_program.hpp"

#include <gtest/gtest.h>

#include "../support/expect_outcome.hpp"
#include "../support/test_runtime.hpp"
#include "checks/platform_layout.hpp"
#include "engine/annotate.hpp"
#include "program_fixture.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

using test::rt;

using test::parse;
using test::sx_show;

using CheckProgram = test::ProgramTest;

TEST_F(CheckProgram, AProgramOfUsualFormsIsPreparedForTheEngine) {
    Outcome out = check("twice(xs\\V xs 1) 5,twice\\fn\\arg\\fn(fn arg)");
    ASSERT_EQ(out.code, "check");
    EXPECT_EQ(out.say, "");
    EXPECT_EQ(sx_show(global("twice")), "(\\ a (\\ b (a (a b))))");
    EXPECT_EQ(sx_show(global("")), "(twice (\\ a (V a 1)) 5)");
    EXPECT_EQ(leaf_text(global("_")), layout_text());
    for (const auto& [name, term] : rt().globals) {
        EXPECT_TRUE(is_annotated(term.get())) << name;
        EXPECT_EQ(variable_set(rt().globals, term), 0u) << name;
    }
}

TEST_F(CheckProgram, QuotesAndPatternLetsAreRewrittenBeforeTheChecks) {
    ASSERT_EQ(check("first second{`(V 1 2)}second").code, "check");
    // first second{v}b -> second{v}first{second K}second{second H}b, letters a, b.
    EXPECT_EQ(sx_show(global("")), "({ a (V [(V1 2)] (V 1 2)) ({ b (a K) ({ a (a H) a)))");
}

TEST_F(CheckProgram, EqualSubtermsAreSharedAcrossDefinitions) {
    ASSERT_EQ(check("lhs(1)(rhs 1),lhs\\xs\\V xs 10,rhs\\ys\\V ys 10").code, "check");
    EXPECT_EQ(global("lhs").get(), global("rhs").get());
    EXPECT_GT(rt().sharing.used, 0u);
}

TEST_F(CheckProgram, FunkyIsFoundBeforeUndefinedNames) {
    Outcome out = check("undefined(1\\1)");
    expect_outcome(out, {"funky", "Funky key in expression (\\1 1).", "", "(\\1 1)"});
}

TEST_F(CheckProgram, BrokenUnreachableGlobalsArePrunedOrRestored) {
    ASSERT_EQ(check("I 1,dead\\x\\nowhere x,K()\\a\\b\\missing").code, "check");
    EXPECT_EQ(rt().globals.count("dead"), 0u);
    EXPECT_EQ(sx_show(global("K")), "(\\ a (\\ b a))");
    EXPECT_EQ(rt().uncached.count("K"), 0u);
}

TEST_F(CheckProgram, ARenamedGlobalLeavesALocalVariableUnbound) {
    // "xs" is bound in hh and also names the global: every xs of hh becomes a.
    Outcome out = check("hh,hh\\(xs\\xs) xs,xs\\5");
    expect_outcome(out, {"local", "Local variable a unbound in function hh.", "hh"});
    Outcome top = check("(xs\\xs) xs,xs\\5");
    EXPECT_EQ(top.say, "Local variable a unbound.");
    EXPECT_EQ(top.vip, "");
}

TEST_F(CheckProgram, DeepSourceAndDeepTermsPassEveryStep) {
    // About 1 MB of nested call brackets, through the parser and every pass.
    Bytes nested;
    for (int i = 0; i < 300000; ++i) nested += "gg(";
    nested += "xs";
    nested += Bytes(300000, ')');
    ASSERT_EQ(check("xs\\" + nested + ",gg\\v\\`v").code, "check");

    // A million cells deep, with a pattern let and a quote at the bottom.
    ASSERT_EQ(check("0,gg\\v\\v").code, "check");
    TermRef deep = parse("p q{V 1 2}`p");
    for (int i = 0; i < 1000000; ++i) deep = make_pair(leaf_term("gg"), std::move(deep));
    rt().globals.insert_or_assign("", std::move(deep));
    ASSERT_EQ(check_program(rt()).code, "check");
    EXPECT_TRUE(is_annotated(global("").get()));
}

}  // namespace
}  // namespace vesk
