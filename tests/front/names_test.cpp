#include "front/names.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(Names, LowerNames) {
    EXPECT_TRUE(is_lower_name("abc"));
    EXPECT_TRUE(is_lower_name("a_b"));
    EXPECT_TRUE(is_lower_name("_"));
    EXPECT_FALSE(is_lower_name(""));
    EXPECT_FALSE(is_lower_name("a1"));
    EXPECT_FALSE(is_lower_name("aB"));
}

TEST(Names, SourceFormNames) {
    for (std::string_view t : {"abc", "a_b", "_", "Q", "[+]", "[,]", "[{]", "[\\]", "\x01"})
        EXPECT_TRUE(is_name(t)) << t;
    EXPECT_TRUE(is_name("\xc8"));
    EXPECT_TRUE(is_name("\x7f"));
    for (std::string_view t : {"", "a1", "AB", "[a]", "[+", "[++]", "+", "1", "[]", "Qa"})
        EXPECT_FALSE(is_name(t)) << t;
    EXPECT_FALSE(is_name(std::string_view("\0", 1)));
    EXPECT_FALSE(is_name("[(]"));
    EXPECT_FALSE(is_name("[[]"));
}

TEST(Names, NameTextUnwrapsBracketedOperators) {
    EXPECT_EQ(name_text("[+]"), "+");
    EXPECT_EQ(name_text("[,]"), ",");
    EXPECT_EQ(name_text("plus"), "plus");
    EXPECT_EQ(name_text("K"), "K");
    EXPECT_DEATH(name_text("a1"), "ASSERTION FAILED:names.cpp");
}

TEST(Names, TermFormNamesTakeBareOperators) {
    for (std::string_view t : {"abc", "K", "+", ",", "{", "}", "\\", "`", "\x05", "\n"})
        EXPECT_TRUE(is_name_leaf(t)) << t;
    for (std::string_view t : {"", "[+]", "12", "(", ")", "[", "]", "++", "a1", " "})
        EXPECT_FALSE(is_name_leaf(t)) << t;
}

TEST(Names, CharacterSets) {
    for (char c : std::string_view("\n #%&'*+,-./:;<=>?@\\^|"))
        EXPECT_TRUE(is_blank_or_operator(static_cast<unsigned char>(c))) << c;
    for (char c : std::string_view("~!$`\"(){}[]a0A_"))
        EXPECT_FALSE(is_blank_or_operator(static_cast<unsigned char>(c))) << c;
    for (char c : std::string_view("~!\"$`")) EXPECT_TRUE(is_affix_character(c)) << c;
    EXPECT_FALSE(is_affix_character('@'));
    EXPECT_TRUE(is_special_character(' '));
    EXPECT_TRUE(is_special_character('['));
    EXPECT_FALSE(is_special_character('_'));
    EXPECT_FALSE(is_special_character('A'));
    EXPECT_FALSE(is_special_character(0));
    EXPECT_TRUE(is_name_operator_character('{'));
    EXPECT_FALSE(is_name_operator_character('('));
    EXPECT_FALSE(is_name_operator_character('['));
}

}  // namespace
}  // namespace vesk
