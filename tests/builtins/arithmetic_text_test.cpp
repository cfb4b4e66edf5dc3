// Texts joined, cut and repeated; comparisons; heads and tails.
#include "arithmetic_support.hpp"

namespace vesk::test {
namespace {

TEST_F(Arith, JoinsInArgumentOrder) {
    EXPECT_EQ(text(call("plus", zits("ab"), TermRef("5"))), "[ab5]");
    EXPECT_EQ(text(call("plus", TermRef("5"), zits("ab"))), "[5ab]");
    EXPECT_EQ(text(call("plus", real(1.5), zits("x"))), "[1.500000e+00x]");
    EXPECT_EQ(text(call("plus", counted_leaf("ab"), zits("c"))), text(counted_leaf("abc")));
    EXPECT_EQ(text(call("plus", counted_leaf("a"), counted_leaf("b"))), text(counted_leaf("ab")));
    EXPECT_EQ(text(call("plus", zits("a"), zits("b"))), "[ab]");
}

TEST_F(Arith, CutsFromEitherEnd) {
    EXPECT_EQ(text(call("dash", zits("hello"), TermRef("2"))), "[llo]");
    EXPECT_EQ(text(call("dash", zits("hello"), TermRef("02"))), "[hel]");
    EXPECT_EQ(text(call("dash", zits("hello"), TermRef("5"))), "[]");
    EXPECT_EQ(text(call("dash", zits("hello"), TermRef("6"))), "Z");
    EXPECT_EQ(text(call("dash", zits("hello"), TermRef("99999999999999999999999"))), "Z");
    EXPECT_EQ(text(call("dash", counted_leaf("abc"), TermRef("3"))), "()");
    EXPECT_EQ(text(call("dash", counted_leaf("abc"), TermRef("0"))), text(counted_leaf("abc")));
    // A cut through an escape would leave unbalanced brackets.
    EXPECT_EQ(text(call("dash", zits("a[p]"), TermRef("01"))), "Z");
    TermRef joined = call("dash", zits("a"), zits("b"));
    EXPECT_TRUE(same_term(joined, apply(zits("a"), zits("b"))));
}

TEST_F(Arith, RepeatsByDoubling) {
    EXPECT_EQ(text(call("mult", zits("ab"), TermRef("3"))), "[ababab]");
    EXPECT_EQ(text(call("mult", TermRef("3"), zits("ab"))), "[ababab]");
    EXPECT_EQ(text(call("mult", zits("ab"), TermRef("0"))), "[]");
    EXPECT_EQ(text(call("mult", zits("ab"), TermRef("01"))), "Z");
    EXPECT_EQ(text(call("mult", counted_leaf("x"), TermRef("5"))), text(counted_leaf("xxxxx")));
    // Far past any memory: refused, not attempted.
    EXPECT_EQ(text(call("mult", zits("ab"), TermRef("4000000000"))), "Z");
    EXPECT_EQ(text(call("mult", zits("ab"), zits("c"))), "Z");
}

TEST_F(Arith, OrdersWithinAndAcrossKinds) {
    EXPECT_EQ(text(call("less", TermRef("03"), TermRef("2"))), "K");
    EXPECT_EQ(text(call("less", TermRef("03"), TermRef("02"))), "K");
    EXPECT_EQ(text(call("less", TermRef("2"), TermRef("2"))), "H");
    EXPECT_EQ(text(call("gteq", TermRef("2"), TermRef("2"))), "K");
    EXPECT_EQ(text(call("less", real(1e300), TermRef("0"))), "K");  // real before hint
    EXPECT_EQ(text(call("gteq", zits("a"), counted_leaf("b"))), "K");
    EXPECT_EQ(text(call("less", zits("ab"), zits("b"))), "K");
    double nan = std::nan("");
    EXPECT_EQ(text(call("less", real(nan), real(1))), "H");
    EXPECT_EQ(text(call("gteq", real(nan), real(1))), "H");
    EXPECT_EQ(text(call("less", TermRef("004"), TermRef("001"))), "K");  // -1 < 0
}

TEST_F(Arith, SameAndDiff) {
    EXPECT_EQ(text(call("same", TermRef("2"), real(2.0))), "H");
    EXPECT_EQ(text(call("diff", TermRef("2"), real(2.0))), "K");
    EXPECT_EQ(text(call("same", zits("ab"), zits("ab"))), "K");
    EXPECT_EQ(text(call("same", real(0.0), real(-0.0))), "K");
    EXPECT_EQ(text(call("same", real(std::nan("")), real(std::nan("")))), "H");
    TermRef s("S");
    EXPECT_EQ(text(call("same", s, s)), "K");  // one cell, not looked at
    EXPECT_EQ(text(call("same", s, TermRef("S"))), "Z");
    EXPECT_EQ(text(call("diff", TermRef("1"), TermRef("1"))), "H");
}

TEST_F(Arith, CmprIsTheTermOrder) {
    EXPECT_EQ(text(call("cmpr", TermRef("ab"), TermRef("abc"))), "1");
    EXPECT_EQ(text(call("cmpr", apply(TermRef("K"), TermRef("K")), TermRef("K"))), "01");
    EXPECT_EQ(text(call("cmpr", TermRef("x"), TermRef("x"))), "0");
}

TEST_F(Arith, HeadsAndSigns) {
    EXPECT_EQ(text(call("buck", zits("[p]bc"))), "[[p]]");
    EXPECT_EQ(text(call("buck", zits("abc"))), "[a]");
    EXPECT_EQ(text(call("wave", zits("[p]bc"))), "[bc]");
    EXPECT_EQ(text(call("buck", counted_leaf("\nx"))), "[[p]]");
    EXPECT_EQ(text(call("buck", counted_leaf("[x"))), "[[q]]");
    EXPECT_EQ(text(call("wave", counted_leaf("abc"))), text(counted_leaf("bc")));
    EXPECT_EQ(text(call("buck", zits(""))), "Z");
    EXPECT_EQ(text(call("wave", counted_leaf(""))), "Z");
    EXPECT_EQ(text(call("buck", real(-0.0))), "H");
    EXPECT_EQ(text(call("buck", TermRef("05"))), "H");
    EXPECT_EQ(text(call("buck", TermRef("004"))), "H");
    EXPECT_EQ(text(call("buck", TermRef("001"))), "K");
    EXPECT_EQ(text(call("wave", TermRef("5"))), "05");
    EXPECT_DOUBLE_EQ(as_double(call("wave", real(2.5))), -2.5);
    EXPECT_EQ(text(call("buck", TermRef("S"))), "Z");
}

}  // namespace
}  // namespace vesk::test
