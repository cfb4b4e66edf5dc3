#include <gtest/gtest.h>

#include <random>
#include <set>

#include "../numbers/bits_test_util.hpp"
#include "engine/unfold.hpp"
#include "front/charcode.hpp"
#include "terms/cells.hpp"

namespace vesk {
namespace {

using bits_test::picture;

TermRef bracket(std::string_view text) {
    return TermRef(Bytes(text));
}

// The list by its definition, recursing on init and last: only for the small
// texts of these tests.
TermRef reference_list(const TermRef& d) {
    if (!is_pair(d) && is_empty_bracket(d)) return TermRef("K");
    return apply(TermRef("J"), reference_list(bracket_init(d)), reference_list(bracket_last(d)));
}

TEST(UnfoldBracket, EmptyTexts) {
    EXPECT_TRUE(is_empty_bracket(bracket("[]")));
    EXPECT_TRUE(is_empty_bracket(bracket("[")));
    EXPECT_FALSE(is_empty_bracket(bracket("[a]")));
    EXPECT_FALSE(is_empty_bracket(bracket("[[]]")));
    EXPECT_FALSE(is_empty_bracket(apply(bracket("[]"), bracket("[]"))));
    EXPECT_EQ(picture(bracket_list(bracket("[]"))), "K");
}

TEST(UnfoldBracket, InitAndLastOfLeaves) {
    EXPECT_EQ(leaf_text(bracket_init(bracket("[abc]"))), "[ab]");
    EXPECT_EQ(leaf_text(bracket_last(bracket("[ab[cd]]"))), "[cd]");
    EXPECT_EQ(leaf_text(bracket_init(bracket("[ab[cd]]"))), "[ab]");
    EXPECT_EQ(leaf_text(bracket_last(bracket("[a[p]]"))), "[p]");
    EXPECT_EQ(leaf_text(bracket_last(bracket("[x[[]][]]"))), "[]");
    EXPECT_EQ(leaf_text(bracket_init(bracket("[x[[]][]]"))), "[x[[]]]");
    EXPECT_EQ(leaf_text(bracket_last(bracket("[abc]"))), *text_numeral_lookup("c"));
    EXPECT_EQ(leaf_text(bracket_last(bracket("[a]"))), tree_numeral(199));  // plain a, row 54
    EXPECT_EQ(leaf_text(bracket_init(bracket("[a]"))), "[]");
    Bytes with_nul("[a\0]", 4);
    EXPECT_EQ(leaf_text(bracket_last(bracket(with_nul))), byte_numeral(0));
    EXPECT_EQ(leaf_text(bracket_init(bracket(with_nul))), "[a]");
}

TEST(UnfoldBracket, PairsSplitIntoTheirChildren) {
    TermRef a = bracket("[ab]");
    TermRef b = bracket("[c]");
    TermRef ab = apply(a, b);
    EXPECT_EQ(bracket_init(ab).cell, a.cell);
    EXPECT_EQ(bracket_last(ab).cell, b.cell);
    EXPECT_EQ(picture(bracket_list(ab)),
              picture(apply(TermRef("J"), bracket_list(a), bracket_list(b))));
}

// Bytes without an entry in the numeral map still get elements of their own.
TEST(UnfoldBracket, NewlinesAndLoneBracketsAreSingleBytes) {
    EXPECT_EQ(leaf_text(bracket_last(bracket("[\n]"))), tree_numeral(390));
    // "[a]b]": the final "]" closes; inside, "a", a lone "]" and "b"
    TermRef t = bracket("[a]b]");
    EXPECT_EQ(leaf_text(bracket_last(t)), *text_numeral_lookup("b"));
    t = bracket_init(t);
    EXPECT_EQ(leaf_text(t), "[a]]");
    EXPECT_EQ(leaf_text(bracket_last(t)), byte_numeral(']'));
    t = bracket_init(t);
    EXPECT_EQ(leaf_text(t), "[a]");
    // a "[" without a partner, and a text that lost its closer
    EXPECT_EQ(leaf_text(bracket_last(bracket("[a[]"))), byte_numeral('['));
    EXPECT_EQ(leaf_text(bracket_init(bracket("[a[]"))), "[a]");
    EXPECT_EQ(leaf_text(bracket_last(bracket("[ab"))), *text_numeral_lookup("b"));
    EXPECT_EQ(leaf_text(bracket_init(bracket("[ab"))), "[a]");
}

TEST(UnfoldBracket, NumeralsCoverEveryByteOnce) {
    std::set<Bytes, std::less<>> seen;
    for (int b = 0; b < 256; ++b) {
        Bytes numeral = byte_numeral(static_cast<unsigned char>(b));
        ASSERT_TRUE(seen.insert(numeral).second) << b;
        ASSERT_EQ(numeral_byte(numeral), static_cast<unsigned char>(b));
        std::optional<Bytes> mapped = text_numeral_lookup(Bytes(1, static_cast<char>(b)));
        if (mapped) {
            ASSERT_EQ(*mapped, numeral) << b;
        }
    }
    EXPECT_EQ(byte_numeral(10), tree_numeral(390));
    EXPECT_EQ(byte_numeral('['), tree_numeral(391));
    EXPECT_EQ(byte_numeral(']'), tree_numeral(392));
    EXPECT_EQ(char_code(2, ','), 10);  // the rows these three stand for
    EXPECT_EQ(char_code(3, '['), '[');
    EXPECT_EQ(char_code(3, ']'), ']');
    EXPECT_FALSE(numeral_byte("[]"));
    EXPECT_FALSE(numeral_byte("a"));
    EXPECT_FALSE(numeral_byte(tree_numeral(144)));
    EXPECT_FALSE(numeral_byte(tree_numeral(401)));
}

// The one-pass list agrees with the definition on init and last, for
// balanced texts and for texts whose brackets do not balance.
TEST(UnfoldBracket, ListMatchesTheDefinition) {
    std::mt19937_64 rng(8);
    const char alphabet[] = "ab[]\n\0[]";
    for (int round = 0; round < 400; ++round) {
        Bytes text = "[";
        std::size_t n = rng() % 12;
        for (std::size_t i = 0; i < n; ++i) text.push_back(alphabet[rng() % 8]);
        if (rng() % 4 != 0) text.push_back(']');
        TermRef d = bracket(text);
        ASSERT_EQ(picture(bracket_list(d)), picture(reference_list(d))) << text;
    }
    TermRef pair = apply(bracket("[a[b]]"), apply(bracket("[]"), bracket("[c]")));
    EXPECT_EQ(picture(bracket_list(pair)), picture(reference_list(pair)));
}

TEST(UnfoldBracket, LongAndDeepDataBuildsIteratively) {
    std::uint64_t before = cell_counts().live;
    {
        Bytes deep = Bytes(200000, '[') + Bytes(200000, ']');
        TermRef list = bracket_list(bracket(deep));
        TermRef at = list;
        std::size_t depth = 0;
        while (is_pair(at)) {
            at = right(at);
            ++depth;
        }
        EXPECT_EQ(depth, 199999u);  // "[" then 199999 nested groups
        Bytes wide = "[" + Bytes(300000, 'x') + "]";
        TermRef list2 = bracket_list(bracket(wide));
        std::size_t length = 0;
        for (at = list2; is_pair(at); at = right(left(at))) ++length;
        EXPECT_EQ(length, 300000u);
        // a long chain of data pairs
        TermRef chain = bracket("[a]");
        for (int i = 0; i < 200000; ++i) chain = apply(chain, bracket("[b]"));
        TermRef list3 = bracket_list(chain);
        EXPECT_TRUE(is_pair(list3));
        // shared cells are listed once: 2^60 leaves, 61 distinct cells
        TermRef doubled = bracket("[z]");
        for (int i = 0; i < 60; ++i) doubled = apply(doubled, doubled);
        TermRef list4 = bracket_list(doubled);
        EXPECT_EQ(right(list4).cell, right(left(list4)).cell);
    }
    EXPECT_EQ(cell_counts().live, before);
}

TEST(UnfoldBracketDeath, EmptyOrNonDataAssert) {
    EXPECT_DEATH(bracket_init(bracket("[]")), "ASSERTION FAILED:unfold_bracket.cpp");
    EXPECT_DEATH(bracket_last(bracket("[]")), "ASSERTION FAILED:unfold_bracket.cpp");
    EXPECT_DEATH(is_empty_bracket(TermRef("K")), "ASSERTION FAILED:unfold_bracket.cpp");
}

}  // namespace
}  // namespace vesk
