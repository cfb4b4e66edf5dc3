// Literal heads in the machine: a literal applied to an argument unfolds by
// one level into the structure it stands for.
#include <cstring>
#include "../support/test_runtime.hpp"

#include "engine/machine.hpp"
#include "engine/unfold.hpp"
#include "engine_support.hpp"

namespace vesk::test {
namespace {

using Literals = EngineTest;

TEST_F(Literals, NumberActsAsJOfItsFirstBitAndTheRest) {
    // 5 is the bit list K, K, K, H: its tag K and its rest, the number 2.
    EXPECT_TRUE(same_term(evaluate(rt(), term("5 S")), term("V K 2")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("0 S")), term("V K K")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("00 S")), term("V H K")));
    // As a list cell, a number hands its head and tail to the cell case.
    EXPECT_EQ(leaf_text(evaluate(rt(), term("5 S (\\ h (\\ t t))"))), "2");
    EXPECT_EQ(leaf_text(evaluate(rt(), term("5 S (\\ h (\\ t h))"))), "K");
}

TEST_F(Literals, CountedLeafDropsItsArgument) {
    TermRef byte = evaluate(rt(), make_pair(TermRef(Bytes("(a)A")), TermRef("S")));
    EXPECT_TRUE(same_term(byte, term("V (J (J I H) (J H H)) (J (J H H) (J I H))"))) << show(byte);
    EXPECT_EQ(leaf_text(evaluate(rt(), make_pair(TermRef("()"), TermRef("S")))), "Z");
    TermRef halves = evaluate(rt(), make_pair(TermRef(Bytes("(d)abcd")), TermRef("S")));
    ASSERT_TRUE(is_pair(halves));
    EXPECT_EQ(leaf_text(right(halves)), "(b)cd");
}

TEST_F(Literals, RawLeafKeepsItsArgument) {
    double zero = 0.0;
    char text[9] = {' '};
    std::memcpy(text + 1, &zero, 8);
    TermRef raw(Bytes(text, 9));
    // The tree is V low high; applied to K it gives its lower half.
    TermRef low = evaluate(rt(), make_pair(raw, TermRef("K")));
    TermRef tree = real_tree(raw);
    EXPECT_TRUE(same_term(low, right(left(tree)))) << show(low);
}

TEST_F(Literals, BracketDataHandsItsListToItsArgument) {
    // The empty text gives the argument (X J) and K: the list's two cases.
    EXPECT_TRUE(same_term(evaluate(rt(), term("[] (\\ x (\\ y x))")), term("X J")));
    EXPECT_EQ(leaf_text(evaluate(rt(), term("[] (\\ x (\\ y y))"))), "K");
    // Any other text gives (X J) and its J list.
    TermRef list = evaluate(rt(), term("[ab] (\\ x (\\ y y))"));
    EXPECT_TRUE(same_term(list, bracket_list(TermRef("[ab]")))) << show(list);
    // G takes the text apart: all but the last element, and the last one.
    TermRef parts = evaluate(rt(), term("[ab] G"));
    TermRef d("[ab]");
    TermRef expected = make_pair(make_pair(TermRef("V"), bracket_init(d)), bracket_last(d));
    EXPECT_TRUE(same_term(parts, expected)) << show(parts);
    // A pair of texts is data too: G splits it into its two parts.
    TermRef joined = evaluate(rt(), term("([a] [b]) G"));
    EXPECT_TRUE(same_term(joined, term("V [a] [b]"))) << show(joined);
}

}  // namespace
}  // namespace vesk::test
