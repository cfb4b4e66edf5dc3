// Deeply nested source texts and terms: the parser, the bracket check and
// the printer must handle them without exhausting the C stack.
#include <gtest/gtest.h>

#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/printer.hpp"
#include "term_shape.hpp"

namespace vesk {
namespace {

using testing::left_depth;
using testing::right_depth;

constexpr std::size_t kDepth = 100000;

std::string repeat(std::string_view piece, std::size_t n) {
    std::string out;
    out.reserve(piece.size() * n);
    for (std::size_t i = 0; i < n; ++i) out += piece;
    return out;
}

// The text goes through the same steps as a program: check, normalise, parse.
TermRef load(const std::string& text) {
    Outcome out;
    EXPECT_TRUE(check_brackets(text, out)) << out.say;
    return parse_expression(normalise_layout(text));
}

TEST(DeepText, NestedParentheses) {
    TermRef t = load(repeat("(", kDepth) + "x" + repeat(")", kDepth));
    EXPECT_EQ(leaf_text(t), "x");
    t = load(repeat("( ", kDepth) + "f x" + repeat(" )", kDepth));
    EXPECT_EQ(print_term(t), "(f x)");
}

TEST(DeepText, NestedCallListsAndAffixes) {
    TermRef calls = load(repeat("g(", kDepth) + "x" + repeat(")", kDepth));
    EXPECT_EQ(right_depth(calls), kDepth);
    TermRef prefixes = load(repeat("!", kDepth) + "x");
    EXPECT_EQ(right_depth(prefixes), kDepth);
    TermRef suffixes = load("x" + repeat("$", kDepth));
    EXPECT_EQ(right_depth(suffixes), kDepth);
    TermRef grouped = load(repeat("!(", kDepth) + "x" + repeat(")", kDepth));
    EXPECT_EQ(right_depth(grouped), kDepth);
}

TEST(DeepText, NestedBracesAndLambdas) {
    TermRef braces = load(repeat("{", kDepth) + repeat("}", kDepth));
    // Each level is (({ }) B) }, with the next level as B.
    std::size_t levels = 0;
    const Term* c = braces.get();
    while (!is_leaf_cell(c)) {
        c = right_cell(left_cell(c));
        ++levels;
    }
    EXPECT_EQ(levels, kDepth);
    TermRef lambdas = load(repeat("a\\", kDepth) + "a");
    EXPECT_EQ(right_depth(lambdas), kDepth);
    TermRef powers = load(repeat("a^", kDepth) + "a");
    EXPECT_EQ(right_depth(powers), kDepth);
}

TEST(DeepText, LongFlatApplicationAndSquares) {
    TermRef spine = load("f" + repeat(" x", kDepth));
    EXPECT_EQ(left_depth(spine), kDepth);
    TermRef squares = load("g" + repeat("[", kDepth) + repeat("]", kDepth));
    EXPECT_EQ(leaf_text(right(squares)).size(), 2 * kDepth);
}

constexpr std::size_t kCells = 1000000;

TEST(DeepTerm, PrintsMillionCellSpines) {
    TermRef left_spine = leaf_term("f");
    TermRef x = leaf_term("x");
    for (std::size_t i = 0; i < kCells; ++i) left_spine = make_pair(std::move(left_spine), x);
    Bytes text = print_term(left_spine);
    EXPECT_EQ(text.size(), 2 * kCells + 3);
    EXPECT_EQ(text.substr(0, 6), "(f x x");
    EXPECT_EQ(text.substr(text.size() - 5), " x x)");

    TermRef g = leaf_term("g");
    TermRef right_spine = leaf_term("x");
    for (std::size_t i = 0; i < kCells; ++i) right_spine = make_pair(g, std::move(right_spine));
    text = print_term(right_spine);
    EXPECT_EQ(text.size(), 4 * kCells + 1);
    EXPECT_EQ(text.substr(0, 10), "(g (g (g (");
    EXPECT_EQ(text.substr(3 * kCells - 3, 6), "(g x))");
    EXPECT_EQ(text.find_first_not_of(')', 3 * kCells + 1), std::string::npos);
}

}  // namespace
}  // namespace vesk
