#include "front/charcode.hpp"

#include <gtest/gtest.h>

#include <set>

namespace vesk {
namespace {

TEST(PositionCode, FiveBase64DigitsAndALimit) {
    EXPECT_EQ(position_code(0), "_____");
    EXPECT_EQ(position_code(1), "____a");
    EXPECT_EQ(position_code(63), "____~");
    EXPECT_EQ(position_code(64), "___a_");
    EXPECT_EQ(position_code(3 * 64 * 64 + 5), "__c_e");
    EXPECT_EQ(position_code(kPositionLimit - 1), "~~~~~");
    EXPECT_EQ(position_code(kPositionLimit), "!!!!!");
}

TEST(PositionCode, IndicesPastTheLimitSaturate) {
    EXPECT_EQ(position_code_of(13), "____m");
    EXPECT_EQ(position_code_of(std::size_t{kPositionLimit} + 7), "!!!!!");
    EXPECT_DEATH(position_code(kPositionLimit + 1), "ASSERTION FAILED:charcode.cpp");
}

TEST(CharCode, ClassesPlaceCharacters) {
    EXPECT_EQ(char_code(2, 'j'), 0);
    EXPECT_EQ(char_code(2, 'J'), 0);
    EXPECT_EQ(char_code(2, ','), 10);
    EXPECT_EQ(char_code(2, ']'), 255);
    EXPECT_EQ(char_code(2, '_'), 32);
    EXPECT_EQ(char_code(2, '~'), 127);
    EXPECT_EQ(char_code(2, '?'), 150);
    EXPECT_EQ(char_code(2, '0'), 151);
    EXPECT_EQ(char_code(2, '9'), 160);
    EXPECT_EQ(char_code(1, 'a'), 225);
    EXPECT_EQ(char_code(3, 'a'), 97);
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(char_code(c, '\n'), 10);
        EXPECT_EQ(char_code(c, ' '), 32);
    }
}

TEST(CharCode, ClassTwoCharacterWithoutAPlaceIsFatal) {
    EXPECT_DEATH(char_code(2, '\t'), "ASSERTION FAILED:charcode.cpp");
}

TEST(CharCode, TableIsOneToOneAndColouredByRange) {
    std::set<int> rows;
    for (int b = 0; b < 256; ++b) {
        unsigned char byte = static_cast<unsigned char>(b);
        CharRow row = char_row(byte);
        EXPECT_EQ(char_code(row.colour_class, row.character), byte) << b;
        rows.insert(char_row_index(byte));
        int expected = b >= 161 && b <= 254 ? 1 : (b >= 33 && b <= 126 ? 3 : 2);
        EXPECT_EQ(row.colour_class, expected) << b;
    }
    EXPECT_EQ(rows.size(), 256u);
    EXPECT_EQ(char_row_index(151), 0);  // '0' in class 2 opens the table
    EXPECT_EQ(char_row_index('a'), 54);
    EXPECT_EQ(char_row('\n').character, ',');
    EXPECT_EQ(char_row(143).character, '\\');
    EXPECT_EQ(char_row(255).character, ']');
}

TEST(TreeNumeral, SmallValues) {
    EXPECT_EQ(tree_numeral(0), "[]");
    EXPECT_EQ(tree_numeral(1), "[[]]");
    EXPECT_EQ(tree_numeral(2), "[[][]]");
    EXPECT_EQ(tree_numeral(3), "[[[]]]");
    EXPECT_EQ(tree_numeral(4), "[[[]][]]");
    EXPECT_EQ(tree_numeral(5), "[[][][]]");
    EXPECT_EQ(tree_numeral(145), "[[][[]][[]]]");
    EXPECT_DEATH(tree_numeral(677), "ASSERTION FAILED");
}

// Each numeral is one balanced square group, and no two numbers share one.
TEST(TreeNumeral, AllDistinctAndBalanced) {
    std::set<Bytes, std::less<>> seen;
    for (int n = 0; n < 677; ++n) {
        Bytes t = tree_numeral(n);
        int depth = 0;
        for (std::size_t i = 0; i < t.size(); ++i) {
            ASSERT_TRUE(t[i] == '[' || t[i] == ']');
            depth += t[i] == '[' ? 1 : -1;
            ASSERT_EQ(depth == 0, i + 1 == t.size()) << n;
        }
        EXPECT_TRUE(seen.insert(t).second) << n;
    }
}

TEST(TextNumeralMap, BytesAndNumeralsBothWays) {
    EXPECT_FALSE(text_numeral_lookup("\n"));
    EXPECT_FALSE(text_numeral_lookup("["));
    EXPECT_FALSE(text_numeral_lookup("]"));
    EXPECT_FALSE(text_numeral_lookup("ab"));
    EXPECT_FALSE(text_numeral_lookup(tree_numeral(144)));
    EXPECT_EQ(text_numeral_lookup(Bytes(1, static_cast<char>(151))), tree_numeral(145));
    EXPECT_EQ(text_numeral_lookup("a"), tree_numeral(199));
    EXPECT_EQ(text_numeral_lookup(tree_numeral(199)), "a");
    std::set<Bytes, std::less<>> numerals;
    for (int b = 0; b < 256; ++b) {
        if (b == '\n' || b == '[' || b == ']') continue;
        Bytes byte(1, static_cast<char>(b));
        std::optional<Bytes> numeral = text_numeral_lookup(byte);
        ASSERT_TRUE(numeral) << b;
        EXPECT_EQ(text_numeral_lookup(*numeral), byte);
        numerals.insert(*numeral);
    }
    EXPECT_EQ(numerals.size(), 253u);
    for (int n = 145; n <= 400; ++n) {
        bool used = numerals.count(tree_numeral(n)) > 0;
        bool skipped = n == 145 + char_row_index('\n') || n == 145 + char_row_index('[') ||
                       n == 145 + char_row_index(']');
        EXPECT_NE(used, skipped) << n;
    }
}

}  // namespace
}  // namespace vesk
