#include "front/printer.hpp"

#include <gtest/gtest.h>

#include <cstring>

#include "front/parser.hpp"

namespace vesk {
namespace {

TermRef leaf(std::string_view text) {
    return leaf_term(text);
}
TermRef pair(TermRef l, TermRef r) {
    return make_pair(std::move(l), std::move(r));
}
TermRef pair(std::string_view l, std::string_view r) {
    return pair(leaf(l), leaf(r));
}

TEST(Printer, Leaves) {
    EXPECT_EQ(print_term(leaf("}")), "}");
    EXPECT_EQ(print_term(leaf(")abc")), "()");
    EXPECT_EQ(print_term(leaf("]")), "()");
    EXPECT_EQ(print_term(leaf("")), "()");
    EXPECT_EQ(print_term(leaf("plus")), "plus");
    EXPECT_EQ(print_term(leaf("[1 (2]")), "[1 (2]");
    EXPECT_EQ(print_term(leaf("0042")), "0042");
}

TEST(Printer, RealAndCountedLeaves) {
    Bytes raw(9, ' ');
    double one = 1.0;
    std::memcpy(&raw[1], &one, 8);
    EXPECT_EQ(print_term(leaf(raw)), "real[1.000000e+00]");
    double small = -2.5e-300;
    std::memcpy(&raw[1], &small, 8);
    EXPECT_EQ(print_term(leaf(raw)), "real[-2.500000e-300]");
    EXPECT_EQ(print_term(leaf("(e)a[b]\n")), "cape[a[q]b[r][p]]");
    EXPECT_EQ(print_term(leaf(Bytes("(b)\0z", 5))), Bytes("cape[\0z]", 8));
    EXPECT_EQ(print_term(leaf("()")), "cape[]");
}

TEST(Printer, PairsKeepAtomsApart) {
    EXPECT_EQ(print_term(pair("g", "x")), "(g x)");
    EXPECT_EQ(print_term(pair(pair("g", "x"), leaf("y"))), "(g x y)");
    EXPECT_EQ(print_term(pair(leaf("g"), pair("h", "x"))), "(g (h x))");
    EXPECT_EQ(print_term(pair("S", "x")), "Sx");
    EXPECT_EQ(print_term(pair("g", "[1]")), "g[1]");
    EXPECT_EQ(print_term(pair("1", "2")), "(1 2)");
    EXPECT_EQ(print_term(pair("x", "y")), "(x y)");
    EXPECT_EQ(print_term(pair("x", "1")), "x1");
    EXPECT_EQ(print_term(pair("x", "+")), "x+");
    EXPECT_EQ(print_term(pair("S", "xy")), "Sxy");
    EXPECT_EQ(print_term(pair("g", "ab1")), "(g ab1)");
    EXPECT_EQ(print_term(pair("g", "++")), "(g ++)");
    EXPECT_EQ(print_term(pair("[1]", "x")), "[1]x");
    EXPECT_EQ(print_term(pair(")", "x")), "()x");
    EXPECT_EQ(print_term(pair("g", "")), "(g ())");
}

TEST(Printer, BracketLiteralsJoinOnlyWhenWhole) {
    EXPECT_EQ(print_term(pair(leaf("g"), pair("[1]", "[2]"))), "(g [1][2])");
    EXPECT_EQ(print_term(pair("g", "[1][2]")), "(g [1][2])");
    EXPECT_EQ(print_term(pair("g", "[")), "g[");         // a lone '[' is no literal
    EXPECT_EQ(print_term(pair("g", "[[]")), "(g [[])");  // nor is an unclosed one
    EXPECT_EQ(print_term(pair("x", "[a]")), "x[a]");
}

TEST(Printer, FlatListsAndNestedHeads) {
    TermRef t = pair(pair(pair("f", "a"), pair("g", "b")), leaf("c"));
    EXPECT_EQ(print_term(t), "(f a (g b) c)");
    EXPECT_EQ(print_term(pair(pair("S", "K"), leaf("K"))), "SKK");
    EXPECT_EQ(print_term(pair(pair("S", "x"), leaf("y"))), "(Sx y)");
    EXPECT_EQ(print_term(pair(pair("1", "2"), pair("3", "4"))), "(1 2 (3 4))");
    EXPECT_EQ(print_term(pair(leaf("K"), pair(pair("1", "2"), leaf("3")))), "(K (1 2 3))");
}

TEST(Printer, SharedSubtermsPrintEachUse) {
    TermRef x = pair("g", "x");
    EXPECT_EQ(print_term(pair(x, x)), "(g x (g x))");
    TermRef y = pair(x, x);
    EXPECT_EQ(print_term(pair(y, y)), "(g x (g x) (g x (g x)))");
}

TEST(Printer, ReadsBackCommonForms) {
    for (std::string_view text : {"(g x y)", "(g (h x))", "(f a (g b) c)", "Sx", "g[1]", "x1"})
        EXPECT_EQ(print_term(parse_expression(text)), text);
}

}  // namespace
}  // namespace vesk
