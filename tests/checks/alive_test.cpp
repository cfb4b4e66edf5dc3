#include "checks/alive.hpp"

#include <gtest/gtest.h>

#include "../support/expect_outcome.hpp"
#include "sexpr.hpp"

namespace vesk {
namespace {

using test::expect_outcome;

using test::sx;

GlobalTable table(std::initializer_list<std::pair<const char*, const char*>> definitions) {
    GlobalTable globals;
    for (const auto& [name, text] : definitions) globals.emplace(name, sx(text));
    return globals;
}

Outcome alive_outcome(const GlobalTable& globals) {
    Outcome out;
    EXPECT_FALSE(check_alive(globals, out));
    return out;
}

TEST(Alive, TheMainExpressionIsShownAsTop) {
    Outcome out = alive_outcome(table({{"", "(g 1)"}}));
    expect_outcome(out, {"alive", "Alive function TOP references undefined g.", "TOP", "g", ""});
}

TEST(Alive, AReachableGlobalNamesItself) {
    Outcome out = alive_outcome(table({{"", "(h 1)"}, {"h", "(\\ x (g x))"}}));
    EXPECT_EQ(out.say, "Alive function h references undefined g.");
    EXPECT_EQ(out.vip, "h");
    EXPECT_EQ(out.tip, "g");
}

TEST(Alive, UnreachableGlobalsAreNotExamined) {
    Outcome out;
    EXPECT_TRUE(
        check_alive(table({{"", "(h 1)"}, {"h", "(\\ x x)"}, {"dead", "(nothing 1)"}}), out));
    EXPECT_EQ(out.code, "check");
}

TEST(Alive, CyclesTerminate) {
    Outcome out;
    EXPECT_TRUE(
        check_alive(table({{"", "ping"}, {"ping", "(pong 1)"}, {"pong", "(ping 2)"}}), out));
}

TEST(Alive, TheSmallestWaitingNameIsTakenFirst) {
    // After the main expression both "aa" and "bb" wait; "aa" adds "zz",
    // "bb" adds "yy", and "yy" is then the smallest waiting name.
    Outcome out =
        alive_outcome(table({{"", "(bb aa)"}, {"aa", "(\\ x (zz x))"}, {"bb", "(\\ x (yy x))"}}));
    EXPECT_EQ(out.say, "Alive function bb references undefined yy.");
}

TEST(Alive, TheLastReferrerIsShown) {
    Outcome out = alive_outcome(table({{"", "(aa bb)"}, {"aa", "cc"}, {"bb", "cc"}}));
    EXPECT_EQ(out.say, "Alive function bb references undefined cc.");
}

TEST(Alive, EmptyArgumentsAndLongNames) {
    EXPECT_EQ(alive_outcome(table({{"", "(g })"}, {"g", "(\\ x x)"}})).say,
              "Alive function TOP references undefined }.");
    EXPECT_TRUE([] {
        Outcome out;
        return check_alive(table({{"", "(g })"}, {"g", "(\\ x x)"}, {"}", "0"}}), out);
    }());
    Outcome five = alive_outcome(table({{"", "(abcde 1)"}}));
    EXPECT_EQ(five.tip, "abcde \"");
    Bytes long_name(80, 'q');
    GlobalTable globals;
    globals.emplace("", make_pair(leaf_term(long_name), leaf_term("1")));
    EXPECT_EQ(alive_outcome(globals).tip, Bytes(69, 'q') + "...");
}

TEST(Alive, BoundNamesAreNotLookedUp) {
    Outcome out;
    EXPECT_TRUE(check_alive(table({{"", "(\\ xs ({ ys xs (ys xs)))"}}), out));
}

}  // namespace
}  // namespace vesk
