#include "checks/check_program.hpp"

#include <gtest/gtest.h>

#include "checks/platform_layout.hpp"
#include "engine/annotate.hpp"
#include "program_fixture.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::parse;
using test::sx_show;

using CheckProgram = test::ProgramTest;

TEST_F(CheckProgram, AProgramOfUsualFormsIsPreparedForTheEngine) {
    define("", "twice(xs\\xs+1) 5");
    define("twice", "fn\\arg\\fn(fn arg)");
    Outcome out = check_program();
    EXPECT_EQ(out.code, "check");
    EXPECT_EQ(out.say, "");
    EXPECT_EQ(sx_show(global("twice")), "(\\ a (\\ b (a (a b))))");
    EXPECT_EQ(sx_show(global("")), "(twice (\\ a (+ a 1)) 5)");
    EXPECT_EQ(leaf_text(global("_")), layout_text());
    for (const auto& [name, term] : global_table()) {
        EXPECT_TRUE(is_annotated(term.get())) << name;
        EXPECT_EQ(variable_set(term), 0u) << name;
    }
}

TEST_F(CheckProgram, QuotesAndPatternLetsAreRewrittenBeforeTheChecks) {
    define("", "first second{`(V 1 2)}second");
    ASSERT_EQ(check_program().code, "check");
    // first second{v}b -> second{v}first{second K}second{second H}b, letters a, b.
    EXPECT_EQ(sx_show(global("")), "({ a (V [(V1 2)] (V 1 2)) ({ b (a K) ({ a (a H) a)))");
}

TEST_F(CheckProgram, EqualSubtermsAreSharedAcrossDefinitions) {
    define("", "left(1)+right(1)");
    define("left", "x\\x+10");
    define("right", "x\\x+10");
    ASSERT_EQ(check_program().code, "check");
    EXPECT_EQ(global("left").get(), global("right").get());
    EXPECT_GT(sharing_table_size(), 0u);
}

TEST_F(CheckProgram, FunkyIsFoundBeforeUndefinedNames) {
    define("", "undefined(1\\1)");
    Outcome out = check_program();
    EXPECT_EQ(out.code, "funky");
    EXPECT_EQ(out.say, "Funky key in expression (\\1 1).");
    EXPECT_EQ(out.vip, "");
    EXPECT_EQ(out.tip, "(\\1 1)");
}

TEST_F(CheckProgram, UndefinedNamesOfReachableGlobals) {
    define("", "h 1");
    define("h", "x\\g x");
    Outcome out = check_program();
    EXPECT_EQ(out.code, "alive");
    EXPECT_EQ(out.say, "Alive function h references undefined g.");
    EXPECT_EQ(out.vip, "h");
    EXPECT_EQ(out.tip, "g");
}

TEST_F(CheckProgram, AnEmptyArgumentIsLookedUpAsTheEmptyName) {
    define("", "g()");
    define("g", "x\\1");
    EXPECT_EQ(check_program().say, "Alive function TOP references undefined }.");
    SetUp();
    define("", "g()");
    define("g", "x\\1");
    define("}", "0");
    EXPECT_EQ(check_program().code, "check");
}

TEST_F(CheckProgram, BrokenUnreachableGlobalsArePrunedOrRestored) {
    define("", "I 1");
    define("dead", "x\\nowhere x");
    define("K", "a\\b\\missing");
    uncached_names().insert("K");
    ASSERT_EQ(check_program().code, "check");
    EXPECT_EQ(global_table().count("dead"), 0u);
    EXPECT_EQ(sx_show(global("K")), "(\\ a (\\ b a))");
    EXPECT_EQ(uncached_names().count("K"), 0u);
}

TEST_F(CheckProgram, TooManyNamesAndParameters) {
    Bytes many = "0";
    for (char c = 'a'; c <= 'z'; ++c) many = Bytes("p") + c + "\\" + many;
    define("", "q\\" + many);
    Outcome place = check_program();
    EXPECT_EQ(place.code, "place");
    EXPECT_EQ(place.say, "Place error.");

    SetUp();
    define("", "0");
    define("hh", "a\\b\\c\\d\\e\\g\\i\\j\\k\\l\\m\\0");
    Outcome arity = check_program();
    EXPECT_EQ(arity.code, "arity");
    EXPECT_EQ(arity.say, "Arity of function hh may not exceed ten.");
    EXPECT_EQ(arity.vip, "hh");

    SetUp();
    define("", "0");
    define("hh", "a\\b\\c\\d\\e\\g\\i\\j\\k\\l\\0");
    EXPECT_EQ(check_program().code, "check");
}

TEST_F(CheckProgram, ARenamedGlobalLeavesALocalVariableUnbound) {
    // "xs" is bound in h and also names the global: every xs of h becomes a.
    define("", "h");
    define("h", "(xs\\xs) xs");
    define("xs", "5");
    Outcome out = check_program();
    EXPECT_EQ(out.code, "local");
    EXPECT_EQ(out.say, "Local variable a unbound in function h.");
    EXPECT_EQ(out.vip, "h");

    SetUp();
    define("", "(xs\\xs) xs");
    define("xs", "5");
    Outcome top = check_program();
    EXPECT_EQ(top.say, "Local variable a unbound.");
    EXPECT_EQ(top.vip, "");
}

TEST_F(CheckProgram, DeepSourceAndDeepTermsPassEveryStep) {
    // About 1 MB of nested call brackets, through the parser and every pass.
    Bytes nested;
    for (int i = 0; i < 250000; ++i) nested += "g(";
    nested += "xs";
    nested += Bytes(250000, ')');
    define("", "xs\\" + nested);
    define("g", "v\\`v");
    ASSERT_EQ(check_program().code, "check");

    // A million cells deep, with a pattern let and a quote at the bottom.
    SetUp();
    TermRef deep = parse("p q{V 1 2}`p");
    for (int i = 0; i < 1000000; ++i) deep = make_pair(leaf_term("g"), std::move(deep));
    global_table().insert_or_assign("", std::move(deep));
    define("g", "v\\v");
    ASSERT_EQ(check_program().code, "check");
    EXPECT_TRUE(is_annotated(global("").get()));
}

}  // namespace
}  // namespace vesk
