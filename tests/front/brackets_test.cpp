#include "front/brackets.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

struct Checked {
    bool ok;
    Outcome out;
    std::size_t position;
};

Checked check(std::string_view text) {
    Checked c{false, {}, 99999};
    c.ok = check_brackets(text, c.out, c.position);
    return c;
}

TEST(CheckBrackets, BalancedTextsPass) {
    for (std::string_view t : {"", "g(a,b)", "{a,b}", "[a,b]", "a,b", "[(]", "([)])", "g!(a,b)",
                               "{(a,b)}", "((a,b))", "x[1](a,b)", "f(x)(a,b)", "[[]]()"}) {
        Checked c = check(t);
        EXPECT_TRUE(c.ok) << t << ": " << c.out.say;
        EXPECT_EQ(c.out.code, "check") << t;
        EXPECT_EQ(c.position, 99999u) << t;
    }
}

TEST(CheckBrackets, MismatchNamesBothEnds) {
    Checked c = check("(]");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.out.say, "'(' at [_____] doesn't fit ']' at [____a].");
    EXPECT_EQ(c.out.code, "match");
    EXPECT_EQ(c.out.vip, "_____");
    EXPECT_EQ(c.out.tip, "____a");
    EXPECT_EQ(c.out.way, "");
    EXPECT_EQ(c.position, 0u);
    c = check("ab{c(d}");
    EXPECT_EQ(c.out.say, "'(' at [____d] doesn't fit '}' at [____f].");
    EXPECT_EQ(c.position, 4u);
}

TEST(CheckBrackets, DanglingBrackets) {
    Checked c = check("a)");
    EXPECT_EQ(c.out.say, "Dangling right-parenthesis at [____a].");
    EXPECT_EQ(c.out.code, "match");
    EXPECT_EQ(c.out.vip, "____a");
    EXPECT_EQ(c.out.tip, "");
    EXPECT_EQ(c.position, 1u);
    c = check("{[");
    EXPECT_EQ(c.out.say, "Dangling left-bracket at [____a].");
    EXPECT_EQ(c.position, 1u);
    c = check("x}");
    EXPECT_EQ(c.out.say, "Dangling right-wing at [____a].");
    c = check("]");
    EXPECT_EQ(c.out.say, "Dangling right-bracket at [_____].");
    // The innermost unclosed bracket is named, once the whole text is read.
    c = check("((){");
    EXPECT_EQ(c.out.say, "Dangling left-wing at [____c].");
    c = check("(a");
    EXPECT_EQ(c.out.say, "Dangling left-parenthesis at [_____].");
    // Inside a square literal other brackets do not count.
    c = check("[)");
    EXPECT_EQ(c.out.say, "Dangling left-bracket at [_____].");
}

TEST(CheckBrackets, CommasOutsideCallLists) {
    Checked c = check("x+(a,b)");
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.out.say, "Comma at [____d] is not part of a valid call list.");
    EXPECT_EQ(c.out.code, "comma");
    EXPECT_EQ(c.out.vip, "____d");
    EXPECT_EQ(c.out.tip, "");
    EXPECT_EQ(c.position, 4u);
    EXPECT_EQ(check("(a,b)").position, 2u);    // nothing before the group
    EXPECT_EQ(check("f (a,b)").position, 4u);  // a blank is no operand
    EXPECT_EQ(check("f(a,b,c)\\(x,y)").position, 11u);
    EXPECT_EQ(check("(a,b,c)").position, 2u);     // the group's leftmost comma
    EXPECT_EQ(check("g(a,(b,c))").position, 6u);  // the inner group follows a comma
    EXPECT_EQ(check("g(x+(b,c),y)").position, 6u);
}

TEST(CheckBrackets, FirstErrorWins) {
    // Bracket errors are found before comma errors, wherever they lie.
    EXPECT_EQ(check("(a,b) )").out.code, "match");
    // Of two bad comma groups the one opening later is reported, at its
    // first comma, however their commas interleave.
    EXPECT_EQ(check("(a,b)+(c,d)").position, 8u);
    EXPECT_EQ(check("[(a,b)]+(c,d)").position, 10u);
    EXPECT_EQ(check("(a,(b,c),d)").position, 5u);
    EXPECT_EQ(check("(a,x(b,c),d)").position, 2u);
    EXPECT_EQ(check("(a,x(b,c),d)+(e,f)").position, 15u);
}

TEST(CheckBrackets, DeepNestingUsesNoRecursion) {
    std::string deep(100000, '(');
    deep += "x+(a,b)";
    deep += std::string(100000, ')');
    Checked c = check(deep);
    EXPECT_EQ(c.out.code, "comma");
    EXPECT_EQ(c.position, 100004u);
    deep += ')';
    EXPECT_EQ(check(deep).out.say, "Dangling right-parenthesis at [__LQg].");
    std::string braces = std::string(100000, '{') + std::string(100000, '}');
    EXPECT_TRUE(check(braces).ok);
    std::string open = std::string(100000, '[');
    EXPECT_EQ(check(open).position, 99999u);
}

}  // namespace
}  // namespace vesk
