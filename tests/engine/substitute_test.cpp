#include "engine/substitute.hpp"
#include "../support/test_runtime.hpp"

#include "engine/annotate.hpp"
#include "engine_support.hpp"

namespace vesk::test {
namespace {

using Substitute = EngineTest;

TEST_F(Substitute, ReplacesFreeOccurrencesAndSharesTheRest) {
    TermRef closed = term("S K K");
    TermRef body = make_pair(make_pair(TermRef("x"), closed), TermRef("x"));
    TermRef v("I");
    TermRef out = substitute(rt().globals, body, v, 'x');
    EXPECT_TRUE(same_term(out, term("I (S K K) I"))) << show(out);
    // The closed part is the very same cell, not a copy.
    EXPECT_EQ(right(left(out)).cell, closed.cell);
    EXPECT_EQ(right(out).cell, v.cell);
    EXPECT_EQ(variable_set(rt().globals, out), 0u);
}

TEST_F(Substitute, TermWithoutTheLetterIsReturnedItself) {
    TermRef body = term("y (S y)");
    TermRef out = substitute(rt().globals, body, TermRef("K"), 'x');
    EXPECT_EQ(out.cell, body.cell);
}

TEST_F(Substitute, LambdaBindingTheLetterStopsIt) {
    TermRef body = term("x (\\ x x) (\\ y (x y))");
    TermRef out = substitute(rt().globals, body, TermRef("K"), 'x');
    EXPECT_TRUE(same_term(out, term("K (\\ x x) (\\ y (K y))"))) << show(out);
    EXPECT_EQ(variable_set(rt().globals, out), 0u);
}

TEST_F(Substitute, LetsReplaceInTheValueAndMaybeTheBody) {
    TermRef rebinding = term("{ x (I x) (x x)");
    TermRef out = substitute(rt().globals, rebinding, TermRef("K"), 'x');
    EXPECT_TRUE(same_term(out, term("{ x (I K) (x x)"))) << show(out);
    EXPECT_EQ(right(out).cell, right(rebinding).cell);  // body untouched
    TermRef other = term("{ y (I x) (x y)");
    TermRef out2 = substitute(rt().globals, other, TermRef("K"), 'x');
    EXPECT_TRUE(same_term(out2, term("{ y (I K) (K y)"))) << show(out2);
    EXPECT_EQ(variable_set(rt().globals, out2), 0u);
}

TEST_F(Substitute, DataAndLiteralsAreLeftAlone) {
    TermRef body = term("x [x] 12 (x)");
    TermRef out = substitute(rt().globals, body, TermRef("K"), 'x');
    EXPECT_TRUE(same_term(out, term("K [x] 12 (K)"))) << show(out);
}

TEST_F(Substitute, SeveralLettersInOnePass) {
    TermRef body = term("a b (\\ b (a b)) c");
    TermRef k("K"), s("S"), i("I");
    for (const TermRef* v : {&k, &s, &i}) annotate(rt().globals, *v);
    Substitution sub;
    sub.letters = letter_bit('a') | letter_bit('b') | letter_bit('c');
    sub.values['a' - 'a'] = k.cell;
    sub.values['b' - 'a'] = s.cell;
    sub.values['c' - 'a'] = i.cell;
    TermRef out = TermRef::adopt(substitute_cells(rt().globals, body.cell, sub));
    EXPECT_TRUE(same_term(out, term("K S (\\ b (K b)) I"))) << show(out);
}

TEST_F(Substitute, DeepBodiesNeedNoStack) {
    constexpr int kDepth = 1'000'000;
    TermRef body("x");
    for (int i = 0; i < kDepth; ++i) body = make_pair(TermRef("I"), body);
    TermRef out = substitute(rt().globals, body, TermRef("K"), 'x');
    EXPECT_EQ(variable_set(rt().globals, out), 0u);
    Term* t = out.cell;
    while (!is_leaf_cell(t)) t = right_cell(t);
    EXPECT_EQ(leaf_view(t), "K");
}

TEST_F(Substitute, NonLetterIsABrokenInvariant) {
    EXPECT_DEATH(substitute(rt().globals, term("x"), TermRef("K"), 'A'), "ASSERTION FAILED:substitute.cpp");
}

}  // namespace
}  // namespace vesk::test
