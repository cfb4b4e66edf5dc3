#include "engine/annotate.hpp"
#include "../support/test_runtime.hpp"

#include "engine/shape.hpp"
#include "engine_support.hpp"

namespace vesk::test {
namespace {

using Annotate = EngineTest;

TEST_F(Annotate, GlobalsTakeTheirLambdaCount) {
    EXPECT_EQ(read_arity(rt().globals, TermRef("I")), 1);
    EXPECT_EQ(read_arity(rt().globals, TermRef("S")), 3);
    EXPECT_EQ(read_arity(rt().globals, term("S x")), 2);
    EXPECT_EQ(read_arity(rt().globals, term("S x y z")), 0);
    EXPECT_EQ(read_arity(rt().globals, term("S x y z w")), -1);
    EXPECT_EQ(read_arity(rt().globals, TermRef("\\")), 3);
    EXPECT_EQ(read_arity(rt().globals, TermRef("{")), 3);
    define("konst", "S K");
    EXPECT_EQ(read_arity(rt().globals, TermRef("konst")), 0);
}

TEST_F(Annotate, LambdaCountStopsAtEleven) {
    rt().globals.insert_or_assign("many", lambdas("abcdefghijklm", "a"));
    TermRef many("many");
    EXPECT_EQ(read_arity(rt().globals, many), 11);
    EXPECT_EQ(read_arity(rt().globals, make_pair(many, TermRef("I"))), 11);
}

TEST_F(Annotate, VariablesStayOpen) {
    TermRef x("x");
    EXPECT_EQ(read_arity(rt().globals, x), 11);
    EXPECT_EQ(variable_set(rt().globals, x), letter_bit('x'));
    TermRef xy = term("x y");
    annotate(rt().globals, xy);
    EXPECT_EQ(read_arity(rt().globals, xy), 11);
    EXPECT_EQ(variable_set(rt().globals, xy), letter_bit('x') | letter_bit('y'));
    EXPECT_FALSE(pending_of(xy.cell));
    EXPECT_TRUE(is_value(rt().globals, xy));  // an open term is never a redex
}

TEST_F(Annotate, LambdasBindTheirLetter) {
    TermRef id = term("\\ x x");
    annotate(rt().globals, id);
    EXPECT_EQ(read_arity(rt().globals, id), 1);
    EXPECT_FALSE(pending_of(id.cell));
    EXPECT_EQ(variable_set(rt().globals, id), 0u);
    EXPECT_TRUE(is_value(rt().globals, id));
    EXPECT_EQ(variable_set(rt().globals, term("\\ x y")), letter_bit('y'));
    // A pending body does not make the lambda pending.
    TermRef lazy = term("\\ x (I (I x))");
    annotate(rt().globals, lazy);
    EXPECT_FALSE(pending_of(lazy.cell));
    EXPECT_TRUE(is_value(rt().globals, lazy));
    EXPECT_TRUE(pending_of(right(lazy).cell));
}

TEST_F(Annotate, LetsBindInTheBodyOnly) {
    TermRef closed = term("{ x (I K) x");
    EXPECT_EQ(variable_set(rt().globals, closed), 0u);
    EXPECT_EQ(read_arity(rt().globals, closed), 0);
    EXPECT_EQ(variable_set(rt().globals, term("{ x (I K) (x y)")), letter_bit('y'));
    // The bound value is outside the binder's scope: its x stays free.
    EXPECT_EQ(variable_set(rt().globals, term("{ x (I x) K")), letter_bit('x'));
    EXPECT_EQ(variable_set(rt().globals, term("{ x y")), letter_bit('y'));
}

TEST_F(Annotate, PendingMarksUnreducedArguments) {
    TermRef waiting = term("S (I K)");
    annotate(rt().globals, waiting);
    EXPECT_TRUE(pending_of(waiting.cell));
    EXPECT_FALSE(is_value(rt().globals, waiting));
    TermRef ready = term("S K");
    annotate(rt().globals, ready);
    EXPECT_FALSE(pending_of(ready.cell));
    EXPECT_TRUE(is_value(rt().globals, ready));
    // Pending spreads from the function part.
    TermRef spread = term("S (I K) K");
    annotate(rt().globals, spread);
    EXPECT_TRUE(pending_of(spread.cell));
    EXPECT_FALSE(is_value(rt().globals, term("S K K K")));  // arity 0: a redex
}

TEST_F(Annotate, BracketDataKeepsItsLength) {
    TermRef a("[a]");
    TermRef b("[b]");
    TermRef ab = make_pair(a, b);
    annotate(rt().globals, ab);
    EXPECT_TRUE(is_data_cell(ab.cell));
    EXPECT_EQ(span_of(ab.cell), 6u);
    EXPECT_EQ(variable_set(rt().globals, ab), 0u);
    EXPECT_EQ(read_arity(rt().globals, ab), 1);
    EXPECT_TRUE(is_value(rt().globals, ab));
    // Data arguments never make a term pending.
    TermRef k_ab = make_pair(TermRef("K"), ab);
    EXPECT_TRUE(is_value(rt().globals, k_ab));
    EXPECT_EQ(read_arity(rt().globals, k_ab), 1);
    // A part shorter than two bytes leaves the length unknown.
    TermRef odd = make_pair(TermRef(Bytes("[")), a);
    annotate(rt().globals, odd);
    EXPECT_TRUE(is_data_cell(odd.cell));
    EXPECT_EQ(span_of(odd.cell), 0u);
    // Applying data to something gives a redex of arity 0.
    EXPECT_EQ(read_arity(rt().globals, make_pair(a, TermRef("K"))), 0);
}

TEST_F(Annotate, LiteralAndSpecialLeaves) {
    TermRef n("42");
    EXPECT_EQ(read_arity(rt().globals, n), 1);
    EXPECT_EQ(variable_set(rt().globals, n), 0u);
    EXPECT_EQ(span_of(n.cell), 2u);  // the length stays in place
    EXPECT_EQ(read_arity(rt().globals, TermRef(Bytes("(b)xy"))), 1);
    EXPECT_EQ(read_arity(rt().globals, TermRef(Bytes(" 12345678"))), 1);
    EXPECT_EQ(read_arity(rt().globals, TermRef(")name")), 1);
    EXPECT_EQ(read_arity(rt().globals, TermRef("]name")), 2);
    EXPECT_EQ(read_arity(rt().globals, TermRef("")), 1);
}

TEST_F(Annotate, ArityStopsFallingFarBelowZero) {
    TermRef t("K");
    for (int i = 0; i < 70; ++i) t = make_pair(t, TermRef("I"));
    EXPECT_EQ(read_arity(rt().globals, t), -51);
}

TEST_F(Annotate, SharedCellsAreAnnotatedOnce) {
    TermRef shared = term("S (I K)");
    TermRef both = make_pair(shared, shared);
    annotate(rt().globals, both);
    EXPECT_TRUE(is_annotated(shared.cell));
    EXPECT_TRUE(pending_of(both.cell));
    // An annotation, once made, is never recomputed.
    std::uint64_t header_before = shared.cell->header;
    annotate(rt().globals, shared);
    EXPECT_EQ(shared.cell->header, header_before);
}

TEST_F(Annotate, DeepSpinesNeedNoStack) {
    constexpr int kDepth = 1'000'000;
    TermRef left_deep("K");
    TermRef right_deep("x");
    for (int i = 0; i < kDepth; ++i) {
        left_deep = make_pair(left_deep, TermRef("I"));
        right_deep = make_pair(TermRef("I"), right_deep);
    }
    EXPECT_EQ(read_arity(rt().globals, left_deep), -51);
    EXPECT_EQ(variable_set(rt().globals, right_deep), letter_bit('x'));
}

TEST_F(Annotate, ShapesOfBindersAndHeads) {
    EXPECT_EQ(binder_shape(term("\\ x x")), BinderShape::lambda);
    EXPECT_EQ(binder_shape(term("{ x K x")), BinderShape::let);
    EXPECT_EQ(binder_shape(term("S K K")), BinderShape::other);
    EXPECT_EQ(binder_shape(TermRef("\\")), BinderShape::other);
    EXPECT_TRUE(has_linear_head(rt().globals, term("K (I I) S")));
    EXPECT_TRUE(has_linear_head(rt().globals, term("B")));
    EXPECT_FALSE(has_linear_head(rt().globals, term("S K K")));
    EXPECT_FALSE(has_linear_head(rt().globals, term("M I")));
    // The walk stops at data: a data head is not linear.
    EXPECT_FALSE(has_linear_head(rt().globals, term("[K] I")));
}

TEST_F(Annotate, UndefinedNamesAreBrokenInvariants) {
    EXPECT_DEATH(annotate(rt().globals, TermRef("nosuchname")), "ASSERTION FAILED:annotate.cpp");
    EXPECT_DEATH(annotate(rt().globals, TermRef("`")), "ASSERTION FAILED:annotate.cpp");
    EXPECT_DEATH(annotate(rt().globals, TermRef("_")), "ASSERTION FAILED:annotate.cpp");
}

}  // namespace
}  // namespace vesk::test
