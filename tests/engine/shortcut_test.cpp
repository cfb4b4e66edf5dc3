// The machine's shortcuts against its plain transitions: the same terms
// must come out whichever way the machine goes.
#include <random>
#include <string>
#include <vector>

#include "engine/machine.hpp"
#include "engine/plan_heads.hpp"
#include "engine_support.hpp"

namespace vesk::test {
namespace {

using Shortcut = EngineTest;

// The printed value of the term written `text`, with the shortcuts (the
// operator names, the unbuilt head spines of bodies, the heads contracted
// in plans, values going straight to their waiting arguments) on or off.
Bytes value_of(const std::string& text, bool shortcut) {
    engine_alias_shortcut = shortcut;
    engine_unbuilt_spine = shortcut;
    engine_plan_heads = shortcut;
    engine_argument_shortcut = shortcut;
    Bytes out = show(evaluate(rt(), term(text)));
    engine_alias_shortcut = true;
    engine_unbuilt_spine = true;
    engine_plan_heads = true;
    engine_argument_shortcut = true;
    return out;
}

// A random term over combinators that never copy an argument (so that
// every term ends), the operator names and a few literals.
std::string random_term(std::mt19937& rng, int depth) {
    static const std::vector<std::string> kLeaves = {"I",    "K",
                                                     "H",    "B",
                                                     "C",    "T",
                                                     "V",    "Z",
                                                     "+",    "-",
                                                     "*",    "<",
                                                     "=",    "?",
                                                     ":",    "%",
                                                     "0",    "1",
                                                     "2",    "7",
                                                     "05",   "123456789012345678901234567890",
                                                     "[ab]", "plus",
                                                     "less", "ff",
                                                     "gg",   "hh",
                                                     "jj",   "kk",
                                                     "ll",   "mm",
                                                     "nn"};
    if (depth == 0 || rng() % 3 == 0) return kLeaves[rng() % kLeaves.size()];
    return "(" + random_term(rng, depth - 1) + " " + random_term(rng, depth - 1) + ")";
}

TEST_F(Shortcut, RandomTermsGiveTheSameValues) {
    // Bodies whose head spine takes more arguments than its head: a
    // combinator, a variable, a built-in.
    define("ff", "\\ a (\\ b (K a b b))");
    define("gg", "\\ a (\\ b (b a a (I a)))");
    define("hh", "\\ a (+ a 1 2 3)");
    // Bodies whose head a plan contracts: operator names and linear
    // combinators, and a chain longer than the plan follows.
    define("jj", "\\ a (\\ b (? (? (< a b) a) b))");
    define("kk", "\\ a (\\ b (\\ c (B a b c)))");
    define("ll", "\\ a (: T a I V)");
    define("mm", "\\ a (\\ b (H a b K))");
    define("nn", "\\ a (I I I I I I I I I I I a)");

    std::mt19937 rng(15);
    for (int i = 0; i < 3000; ++i) {
        std::string text = random_term(rng, 6);
        ASSERT_EQ(value_of(text, true), value_of(text, false)) << text;
    }
}

// Operator names in head position, redefined, or kept inside values.
TEST_F(Shortcut, OperatorNamesKeepTheirMeaning) {
    struct Case {
        const char* text;
        const char* value;
    };
    const Case kCases[] = {
        {"+ 2 3", "5"},
        {"? (< 1 2) 7 8", "7"},
        {"\\ x (+ x 1)", "\\ x (+ x 1)"},  // under a lambda: the name stays
        {"(+ 1)", "plus 1"},               // in head position: + gives way to plus
        {"- (+ 1 1) (* 3 4)", "010"},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(value_of(c.text, true), c.value) << c.text;
        EXPECT_EQ(value_of(c.text, false), c.value) << c.text;
    }
    define("+", "mult");
    EXPECT_EQ(value_of("+ 2 3", true), "6");
    define("+", "K mult I");  // a constant computed on first use, then cached
    EXPECT_EQ(value_of("+ 2 5", true), "10");
    EXPECT_EQ(value_of("+ 3 5", true), "15");
}

// A linear head takes its arguments as they stand: a pending one keeps the
// pairs of its body pending, so the run goes on until the value is a value
// by its own annotation (read again on fresh cells here).
TEST_F(Shortcut, ALinearHeadsPendingArgumentsKeepItsBodyPending) {
    define("ff", "\\ a (\\ b (K a b b))");
    for (bool on : {true, false}) {
        Bytes out = value_of("X J (C ((0 +) (T 7)) ff) [b] (1 T)", on);
        EXPECT_EQ(out, "V (C 7 ff) (J (V K 0) [b])");
        EXPECT_TRUE(is_value(rt().globals, term(out))) << out;
    }
}

}  // namespace
}  // namespace vesk::test
