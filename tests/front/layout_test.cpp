#include "front/layout.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(NormaliseLayout, RunsBetweenOperandsShrink) {
    EXPECT_EQ(normalise_layout("  g  x \n y  "), "g x\ny");
    EXPECT_EQ(normalise_layout("a + b"), "a+b");
    EXPECT_EQ(normalise_layout("x\n\n(y)"), "x\n(y)");
    EXPECT_EQ(normalise_layout("f \n\n g"), "f\ng");
    EXPECT_EQ(normalise_layout("a ,\n b"), "a,b");
    EXPECT_EQ(normalise_layout("x \\ y"), "x\\y");
    EXPECT_EQ(normalise_layout(" \n "), "");
    EXPECT_EQ(normalise_layout(""), "");
}

TEST(NormaliseLayout, BracketEdgesSwallowLayout) {
    EXPECT_EQ(normalise_layout("( x )"), "(x)");
    EXPECT_EQ(normalise_layout("{ a , b }"), "{a,b}");
    EXPECT_EQ(normalise_layout("} x"), "}x");
    EXPECT_EQ(normalise_layout("x {y}"), "x{y}");
    // An operand before '(' keeps its blank: "g (x)" is not the call g(x).
    EXPECT_EQ(normalise_layout("g ( x )"), "g (x)");
    EXPECT_EQ(normalise_layout("[1] y"), "[1] y");
    EXPECT_EQ(normalise_layout("x [1]"), "x [1]");
}

TEST(NormaliseLayout, SquareLiteralsAreCopied) {
    EXPECT_EQ(normalise_layout("[a  b]"), "[a  b]");
    EXPECT_EQ(normalise_layout("g [ [x \n] ] h"), "g [ [x \n] ] h");
    EXPECT_EQ(normalise_layout("[  ("), "[  (");  // an unclosed literal runs to the end
    EXPECT_EQ(normalise_layout("[ a  "), "[ a");
}

TEST(MatchBracket, GroupsAndSquareLiterals) {
    EXPECT_EQ(match_bracket("(a)", 0), 2u);
    EXPECT_EQ(match_bracket("(a)", 2), 0u);
    EXPECT_EQ(match_bracket("(a)", 1), 1u);
    EXPECT_EQ(match_bracket("({a)}", 0), 4u);  // parentheses and braces count together
    EXPECT_EQ(match_bracket("([)])", 0), 4u);
    EXPECT_EQ(match_bracket("([)])", 4), 0u);
    EXPECT_EQ(match_bracket("[(]", 0), 2u);
    EXPECT_EQ(match_bracket("[[x]]", 4), 0u);
    EXPECT_EQ(match_bracket("a[[x][]]b", 1), 7u);
    EXPECT_EQ(match_bracket("(x[)]y)", 6), 0u);
}

TEST(MatchBracket, UnmatchedIsAnInvariant) {
    EXPECT_DEATH(match_bracket("(a", 0), "ASSERTION FAILED:layout.cpp");
    EXPECT_DEATH(match_bracket("a]", 1), "ASSERTION FAILED:layout.cpp");
    EXPECT_DEATH(match_bracket("a", 1), "ASSERTION FAILED:layout.cpp");
}

std::vector<std::string_view> atoms(std::string_view chunk) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    for (std::size_t cut : cut_chunk(chunk)) {
        out.push_back(chunk.substr(from, cut - from));
        from = cut;
    }
    out.push_back(chunk.substr(from));
    return out;
}

using Atoms = std::vector<std::string_view>;

TEST(CutChunk, AtomBoundaries) {
    EXPECT_EQ(atoms("g(x)h"), (Atoms{"g", "(x)", "h"}));
    EXPECT_EQ(atoms("xs12ab"), (Atoms{"xs", "12", "ab"}));
    EXPECT_EQ(atoms("[1 2]y"), (Atoms{"[1 2]", "y"}));
    EXPECT_EQ(atoms("a_b"), (Atoms{"a_b"}));
    EXPECT_EQ(atoms("aS"), (Atoms{"a", "S"}));
    EXPECT_EQ(atoms("BKK"), (Atoms{"B", "K", "K"}));
    EXPECT_EQ(atoms("(a)(b,c)[d]"), (Atoms{"(a)", "(b,c)", "[d]"}));
    EXPECT_EQ(atoms("x[(]y"), (Atoms{"x", "[(]", "y"}));
    EXPECT_EQ(atoms("\x01\xc8z"), (Atoms{"\x01", "\xc8", "z"}));
    EXPECT_EQ(atoms("a,b"), (Atoms{"a,", "b"}));
    EXPECT_EQ(atoms(",,"), (Atoms{",,"}));
    // A number holds digits only, so a stray comma does not join it.
    EXPECT_EQ(atoms("12,"), (Atoms{"12", ","}));
    EXPECT_TRUE(cut_chunk("").empty());
}

// The cut rule is read off a table of byte classes; every pair of bytes
// gets what the rule says in words.
TEST(CutChunk, EveryPairOfBytesCutsByTheRule) {
    auto rule = [](unsigned char p, unsigned char c) {
        if (p == ']' || p == ')' || c == '[' || c == '(') return true;
        if (is_lower_byte(c)) return !is_lower_byte(p);
        if (is_digit_byte(c)) return !is_digit_byte(p);
        if (is_digit_byte(p)) return true;
        return kSpecialCharacters.find(static_cast<char>(c)) == std::string_view::npos;
    };
    for (int p = 0; p < 256; ++p) {
        for (int c = 0; c < 256; ++c) {
            auto pb = static_cast<unsigned char>(p), cb = static_cast<unsigned char>(c);
            ASSERT_EQ(is_atom_cut(pb, cb), rule(pb, cb)) << p << " " << c;
        }
    }
}

}  // namespace
}  // namespace vesk
