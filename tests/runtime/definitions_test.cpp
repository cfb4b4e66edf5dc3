// The prelude and the loading of a program's definitions.
#include "runtime/definitions.hpp"

#include <gtest/gtest.h>

#include "../support/expect_outcome.hpp"
#include "../support/test_runtime.hpp"
#include "engine/annotate.hpp"
#include "engine/machine.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "runtime/call.hpp"
#include "runtime/globals.hpp"
#include "runtime/prelude.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

using test::rt;

TermRef parsed(std::string_view text) {
    return parse_expression(normalise_layout(text));
}

bool same(const TermRef& a, const TermRef& b) {
    return compare_cells(a.cell, b.cell) == 0;
}

TermRef zero_handler(Call&) {
    return TermRef("0");
}
constexpr BuiltinRow kPlus{"plus", 2, pure_effect, zero_handler};
constexpr BuiltinRow kAbort{"abort", 0, pure_effect, zero_handler};
constexpr BuiltinRow kRandMax{"rand_max", 0, pure_effect, zero_handler};

class Definitions : public ::testing::Test {
   protected:
    void SetUp() override {
        test::empty_runtime();
        load_prelude(rt());
    }
    void TearDown() override { test::drop_runtime(); }
};

TEST_F(Definitions, PreludeHoldsItsFiftyOneDefinitions) {
    EXPECT_EQ(prelude_text().size(), 555u);
    EXPECT_EQ(rt().globals.size(), 51u);
    EXPECT_EQ(rt().prelude.size(), 51u);
    for (const char* name : {"A", "M", "Z", "\\", "{", "!", "&", "|", "+", "~", ",", "\""}) {
        EXPECT_EQ(rt().globals.count(name), 1u) << name;
    }
    EXPECT_TRUE(same(rt().globals.at("K"), parsed("a\\b\\a")));
    EXPECT_TRUE(same(rt().globals.at("S"), parsed("a\\b\\c\\a c b(c)")));
    EXPECT_TRUE(same(rt().globals.at("!"), parsed("p\\p H K")));
    EXPECT_EQ(leaf_text(rt().globals.at("+")), "plus");
    EXPECT_EQ(leaf_text(rt().globals.at("?")), "I");
    EXPECT_EQ(read_arity(rt().globals, TermRef("S")), 3);
    EXPECT_EQ(read_arity(rt().globals, TermRef("\\")), 3);
    EXPECT_EQ(read_arity(rt().globals, TermRef("G")), 1);
}

TEST_F(Definitions, PreludeCombinatorsReduce) {
    EXPECT_EQ(leaf_text(evaluate(rt(), parsed("S K K S"))), "S");
    EXPECT_EQ(leaf_text(evaluate(rt(), parsed("X K S I H K"))), "S");    // V S (K H I) K
    EXPECT_EQ(leaf_text(evaluate(rt(), parsed("Y(K I)S"))), "S");        // K I (Y (K I)) S
    EXPECT_EQ(leaf_text(evaluate(rt(), parsed("U S K I H K H"))), "K");  // K (V S K) (V I H) H
    EXPECT_EQ(leaf_text(evaluate(rt(), make_pair(TermRef("!"), TermRef("K")))), "H");  // K H K
}

TEST_F(Definitions, ReloadingStartsFromEmptyTables) {
    rt().globals.insert_or_assign("extra", TermRef("K"));
    rt().uncached.insert("extra");
    load_prelude(rt());
    EXPECT_EQ(rt().globals.count("extra"), 0u);
    EXPECT_TRUE(rt().uncached.empty());
    reset_globals(rt());
    EXPECT_TRUE(rt().globals.empty());
    EXPECT_TRUE(rt().prelude.empty());
}

TEST_F(Definitions, MainAndPlainDefinitions) {
    // (One-letter names cannot be globals, so the name has two letters.)
    Outcome out = load_definitions(rt(), "gg 1,gg\\x\\x");
    EXPECT_TRUE(is_check(out)) << out.code << " " << out.say;
    EXPECT_TRUE(same(rt().globals.at(""), parsed("gg 1")));
    EXPECT_TRUE(same(rt().globals.at("gg"), parsed("x\\x")));
}

TEST_F(Definitions, MainOnlyAndEmptyMain) {
    EXPECT_TRUE(is_check(load_definitions(rt(), "K")));
    EXPECT_EQ(leaf_text(rt().globals.at("")), "K");
    EXPECT_TRUE(is_check(load_definitions(rt(), ",hh\\1")));
    EXPECT_EQ(leaf_text(rt().globals.at("")), "}");
    EXPECT_EQ(leaf_text(rt().globals.at("hh")), "1");
}

TEST_F(Definitions, SingleLowerCaseLetterIsRefused) {
    Outcome out = load_definitions(rt(), "0,a\\1");
    expect_outcome(out,
                   {"lower", "Single lowercase letters (a) cannot be defined as global variables.",
                    "____b", "a", ""});
}

TEST_F(Definitions, BindersAndBuiltinsAreRefused) {
    for (const char* text : {"0,[\\]\\1", "0,[{]\\1"}) {
        Outcome out = load_definitions(rt(), text);
        EXPECT_EQ(out.code, "built") << text;
        EXPECT_EQ(out.vip, "____b");
    }
    EXPECT_EQ(load_definitions(rt(), "0,[\\]\\1").say,
              "Built in function [\\] cannot be re-defined.");
    rt().builtins["plus"] = &kPlus;
    rt().builtins["abort"] = &kAbort;
    Outcome plus = load_definitions(rt(), "0,plus\\1");
    expect_outcome(
        plus, {"built", "Built in function [plus] cannot be re-defined.", std::nullopt, "plus"});
    EXPECT_EQ(load_definitions(rt(), "0,abort\\1").tip, "abort \"");
}

TEST_F(Definitions, BuiltinsGetTemplatesOfTheirArity) {
    rt().builtins["plus"] = &kPlus;
    rt().builtins["rand_max"] = &kRandMax;
    ASSERT_TRUE(is_check(load_definitions(rt(), "0")));
    EXPECT_TRUE(same(rt().globals.at("plus"), parsed("a\\b\\Z")));
    EXPECT_EQ(leaf_text(rt().globals.at("rand_max")), "Z");
    EXPECT_TRUE(same(builtin_template(3), parsed("a\\b\\c\\Z")));
}

TEST_F(Definitions, OperatorsMayBeRebound) {
    ASSERT_TRUE(is_check(load_definitions(rt(), "0,[+]\\1,K\\2")));
    EXPECT_EQ(leaf_text(rt().globals.at("+")), "1");
    EXPECT_EQ(leaf_text(rt().globals.at("K")), "2");
}

TEST_F(Definitions, UncachedDefinitionsAndTheirUndoing) {
    ASSERT_TRUE(is_check(load_definitions(rt(), "0,kk()\\1")));
    EXPECT_TRUE(same(rt().globals.at("kk"), parsed("I 1")));
    EXPECT_EQ(rt().uncached.count("kk"), 1u);
    ASSERT_TRUE(is_check(load_definitions(rt(), "0,kk()\\1,kk\\2")));
    EXPECT_EQ(leaf_text(rt().globals.at("kk")), "2");
    EXPECT_EQ(rt().uncached.count("kk"), 0u);
}

TEST_F(Definitions, SegmentsThatAreNoDefinitionsAreSkipped) {
    std::size_t before = rt().globals.size();
    ASSERT_TRUE(is_check(load_definitions(rt(), "0,1+2,g x\\1,[a]\\1,A1\\2")));
    // only the main expression, besides one template per built-in
    EXPECT_EQ(rt().globals.size(), before + 1 + rt().builtins.size());
}

TEST_F(Definitions, BracketErrorsComeFirst) {
    Outcome out = load_definitions(rt(), "(0,a\\1");
    EXPECT_EQ(out.code, "match");
    EXPECT_EQ(rt().globals.count(""), 0u);
}

TEST_F(Definitions, ErrorKeepsEarlierDefinitions) {
    Outcome out = load_definitions(rt(), "0,ok\\1,b\\2,later\\3");
    EXPECT_EQ(out.code, "lower");
    EXPECT_EQ(rt().globals.count("ok"), 1u);
    EXPECT_EQ(rt().globals.count("later"), 0u);
}

}  // namespace
}  // namespace vesk
