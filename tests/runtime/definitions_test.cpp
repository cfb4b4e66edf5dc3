// The prelude and the loading of a program's definitions.
#include "runtime/definitions.hpp"

#include <gtest/gtest.h>

#include "runtime/builtin_table.hpp"
#include "engine/annotate.hpp"
#include "engine/machine.hpp"
#include "runtime/globals.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "runtime/prelude.hpp"

namespace vesk {
namespace {

TermRef parsed(std::string_view text) {
    return parse_expression(normalise_layout(text));
}

bool same(const TermRef& a, const TermRef& b) {
    return compare_cells(a.cell, b.cell) == 0;
}

TermRef zero_handler(TermRef) {
    return TermRef("0");
}

class Definitions : public ::testing::Test {
   protected:
    void SetUp() override { load_prelude(); }
    void TearDown() override { reset_globals(); }
};

TEST_F(Definitions, PreludeHoldsItsFiftyOneDefinitions) {
    EXPECT_EQ(prelude_text().size(), 555u);
    EXPECT_EQ(global_table().size(), 51u);
    EXPECT_EQ(prelude_table().size(), 51u);
    for (const char* name : {"A", "M", "Z", "\\", "{", "!", "&", "|", "+", "~", ",", "\""}) {
        EXPECT_EQ(global_table().count(name), 1u) << name;
    }
    EXPECT_TRUE(same(global_table().at("K"), parsed("a\\b\\a")));
    EXPECT_TRUE(same(global_table().at("S"), parsed("a\\b\\c\\a c b(c)")));
    EXPECT_TRUE(same(global_table().at("!"), parsed("p\\p H K")));
    EXPECT_EQ(leaf_text(global_table().at("+")), "plus");
    EXPECT_EQ(leaf_text(global_table().at("?")), "I");
    EXPECT_EQ(read_arity(TermRef("S")), 3);
    EXPECT_EQ(read_arity(TermRef("\\")), 3);
    EXPECT_EQ(read_arity(TermRef("G")), 1);
}

TEST_F(Definitions, PreludeCombinatorsReduce) {
    EXPECT_EQ(leaf_text(evaluate(parsed("S K K S"))), "S");
    EXPECT_EQ(leaf_text(evaluate(parsed("X K S I H K"))), "S");    // V S (K H I) K
    EXPECT_EQ(leaf_text(evaluate(parsed("Y(K I)S"))), "S");        // K I (Y (K I)) S
    EXPECT_EQ(leaf_text(evaluate(parsed("U S K I H K H"))), "K");  // K (V S K) (V I H) H
    EXPECT_EQ(leaf_text(evaluate(make_pair(TermRef("!"), TermRef("K")))), "H");  // K H K
}

TEST_F(Definitions, ReloadingStartsFromEmptyTables) {
    global_table().insert_or_assign("extra", TermRef("K"));
    uncached_names().insert("extra");
    load_prelude();
    EXPECT_EQ(global_table().count("extra"), 0u);
    EXPECT_TRUE(uncached_names().empty());
    reset_globals();
    EXPECT_TRUE(global_table().empty());
    EXPECT_TRUE(prelude_table().empty());
}

TEST_F(Definitions, MainAndPlainDefinitions) {
    // (One-letter names cannot be globals, so the name has two letters.)
    Outcome out = load_definitions("gg 1,gg\\x\\x");
    EXPECT_TRUE(is_check(out)) << out.code << " " << out.say;
    EXPECT_TRUE(same(global_table().at(""), parsed("gg 1")));
    EXPECT_TRUE(same(global_table().at("gg"), parsed("x\\x")));
}

TEST_F(Definitions, MainOnlyAndEmptyMain) {
    EXPECT_TRUE(is_check(load_definitions("K")));
    EXPECT_EQ(leaf_text(global_table().at("")), "K");
    EXPECT_TRUE(is_check(load_definitions(",hh\\1")));
    EXPECT_EQ(leaf_text(global_table().at("")), "}");
    EXPECT_EQ(leaf_text(global_table().at("hh")), "1");
}

TEST_F(Definitions, SingleLowerCaseLetterIsRefused) {
    Outcome out = load_definitions("0,a\\1");
    EXPECT_EQ(out.code, "lower");
    EXPECT_EQ(out.say, "Single lowercase letters (a) cannot be defined as global variables.");
    EXPECT_EQ(out.vip, "____b");
    EXPECT_EQ(out.tip, "a");
    EXPECT_EQ(out.way, "");
}

TEST_F(Definitions, BindersAndBuiltinsAreRefused) {
    for (const char* text : {"0,[\\]\\1", "0,[{]\\1"}) {
        Outcome out = load_definitions(text);
        EXPECT_EQ(out.code, "built") << text;
        EXPECT_EQ(out.vip, "____b");
    }
    EXPECT_EQ(load_definitions("0,[\\]\\1").say, "Built in function [\\] cannot be re-defined.");
    builtin_table()["plus"] = BuiltinEntry{2, zero_handler};
    builtin_table()["abort"] = BuiltinEntry{0, zero_handler};
    Outcome plus = load_definitions("0,plus\\1");
    EXPECT_EQ(plus.code, "built");
    EXPECT_EQ(plus.say, "Built in function [plus] cannot be re-defined.");
    EXPECT_EQ(plus.tip, "plus");
    EXPECT_EQ(load_definitions("0,abort\\1").tip, "abort \"");
}

TEST_F(Definitions, BuiltinsGetTemplatesOfTheirArity) {
    builtin_table()["plus"] = BuiltinEntry{2, zero_handler};
    builtin_table()["rand_max"] = BuiltinEntry{0, zero_handler};
    ASSERT_TRUE(is_check(load_definitions("0")));
    EXPECT_TRUE(same(global_table().at("plus"), parsed("a\\b\\Z")));
    EXPECT_EQ(leaf_text(global_table().at("rand_max")), "Z");
    EXPECT_TRUE(same(builtin_template(3), parsed("a\\b\\c\\Z")));
}

TEST_F(Definitions, OperatorsMayBeRebound) {
    ASSERT_TRUE(is_check(load_definitions("0,[+]\\1,K\\2")));
    EXPECT_EQ(leaf_text(global_table().at("+")), "1");
    EXPECT_EQ(leaf_text(global_table().at("K")), "2");
}

TEST_F(Definitions, UncachedDefinitionsAndTheirUndoing) {
    ASSERT_TRUE(is_check(load_definitions("0,kk()\\1")));
    EXPECT_TRUE(same(global_table().at("kk"), parsed("I 1")));
    EXPECT_EQ(uncached_names().count("kk"), 1u);
    ASSERT_TRUE(is_check(load_definitions("0,kk()\\1,kk\\2")));
    EXPECT_EQ(leaf_text(global_table().at("kk")), "2");
    EXPECT_EQ(uncached_names().count("kk"), 0u);
}

TEST_F(Definitions, SegmentsThatAreNoDefinitionsAreSkipped) {
    std::size_t before = global_table().size();
    ASSERT_TRUE(is_check(load_definitions("0,1+2,g x\\1,[a]\\1,A1\\2")));
    // only the main expression, besides one template per built-in
    EXPECT_EQ(global_table().size(), before + 1 + builtin_table().size());
}

TEST_F(Definitions, BracketErrorsComeFirst) {
    Outcome out = load_definitions("(0,a\\1");
    EXPECT_EQ(out.code, "match");
    EXPECT_EQ(global_table().count(""), 0u);
}

TEST_F(Definitions, ErrorKeepsEarlierDefinitions) {
    Outcome out = load_definitions("0,ok\\1,b\\2,later\\3");
    EXPECT_EQ(out.code, "lower");
    EXPECT_EQ(global_table().count("ok"), 1u);
    EXPECT_EQ(global_table().count("later"), 0u);
}

}  // namespace
}  // namespace vesk
