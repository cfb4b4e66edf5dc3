// Integer bodies against the plain reduction: the same value must come out
// whichever way a call goes, and the code must actually be taken.
#include "engine/integer_body.hpp"

#include <random>
#include <string>
#include <vector>

#include "engine/machine.hpp"
#include "engine_support.hpp"

namespace vesk::test {
namespace {

using IntegerBodies = EngineTest;

// The printed value of `text` with integer bodies on or off, and the
// machine steps it took.
Bytes value_of(const std::string& text, bool code, std::uint64_t* steps = nullptr) {
    engine_integer_bodies = code;
    std::uint64_t before = engine_step_count;
    Bytes out = show(evaluate(rt(), term(text)));
    if (steps != nullptr) *steps = engine_step_count - before;
    engine_integer_bodies = true;
    return out;
}

// True when the code took fewer steps, as it does once it runs at all.
bool expect_same(const std::string& text) {
    std::uint64_t with_code = 0, without = 0;
    EXPECT_EQ(value_of(text, true, &with_code), value_of(text, false, &without)) << text;
    return with_code < without;
}

// Around the 64-bit edges: 18 and 19 digits, 2^62, the extremes, and
// a longer one; "05" is -5.
const std::vector<std::string> kNumbers = {"0",
                                           "1",
                                           "2",
                                           "7",
                                           "05",
                                           "999999999999999999",
                                           "1000000000000000000",
                                           "4611686018427387904",
                                           "9223372036854775807",
                                           "09223372036854775808",
                                           "123456789012345678901234567890"};

std::string pick(std::mt19937& rng, const std::vector<std::string>& from) {
    return from[rng() % from.size()];
}

// A random body over the parameters a and b: arithmetic and comparisons by
// built-in and operator names, conditionals as programs write them, calls
// of the functions defined before (so every call ends), and now and then
// something no integer body holds (a division, a text, a combinator).
std::string random_body(std::mt19937& rng, int depth, int callable, bool top = false) {
    static const std::vector<std::string> kArith = {"plus", "dash", "mult", "+", "-",
                                                    "*",    "over", "cent", "/", "%"};
    static const std::vector<std::string> kTests = {"less", "gteq", "same", "diff",
                                                    "<",    ">",    "=",    "#"};
    static const std::vector<std::string> kOther = {"powa", "cmpr", "K", "[ab]"};
    auto sub = [&] { return random_body(rng, depth - 1, callable); };
    switch (depth <= 0 ? rng() % 3 : (top ? 3 + rng() % 9 : rng() % 12)) {
        case 0: return "a";
        case 1: return "b";
        case 2: return pick(rng, kNumbers);
        case 3:
        case 4:
        case 5: return "(" + pick(rng, kArith) + " " + sub() + " " + sub() + ")";
        case 6:
            return "(" + pick(rng, kTests) + " " + sub() + " " + sub() + " " + sub() + " " + sub() +
                   ")";
        case 7: return "(? (? (< " + sub() + " " + sub() + ") " + sub() + ") " + sub() + ")";
        case 8:
        case 9:
            if (callable == 0) return "a";
            return "(f" + std::string(1, static_cast<char>('a' + rng() % callable)) + " " + sub() +
                   " " + sub() + ")";
        default:
            if (rng() % 12 != 0) return "(" + pick(rng, kArith) + " " + sub() + " " + sub() + ")";
            return "(" + pick(rng, kOther) + " " + sub() + " " + sub() + ")";
    }
}

TEST_F(IntegerBodies, RandomProgramsGiveTheSameValues) {
    std::mt19937 rng(6);
    // mostly small integers, which the code takes, and now and then others
    std::vector<std::string> arguments = {
        "0", "1", "2", "7", "05", "999999999999999999", "0999999999999999999"};
    std::vector<std::string> others = kNumbers;
    others.insert(others.end(), {"[ab]", "K", "(plus 1 2)"});
    int by_code = 0;
    for (int program = 0; program < 300; ++program) {
        for (int f = 0; f < 4; ++f) {
            std::string name = {'f', static_cast<char>('a' + f)};
            define(name.c_str(), "\\ a (\\ b " + random_body(rng, 3, f, true) + ")");
        }
        for (int call = 0; call < 4; ++call) {
            const auto& second = rng() % 5 == 0 ? others : arguments;
            by_code += expect_same("f" + std::string(1, static_cast<char>('a' + rng() % 4)) + " " +
                                   pick(rng, arguments) + " " + pick(rng, second));
        }
    }
    EXPECT_GT(by_code, 600) << "of 1200 calls";
}

// Every row with an integer rule, at the edges of the 64-bit range (the
// square of 3037000499 still fits, of 3037000500 not; sums of 18 digits
// leave it): as code it gives what its handler gives.
TEST_F(IntegerBodies, EveryRuleAgreesWithItsHandler) {
    const char* kEdges[] = {
        "0", "1", "05", "3037000499", "03037000500", "999999999999999999", "0999999999999999999"};
    int rules = 0;
    for (const auto& [name, row] : rt().builtins) {
        if (row->integer == IntegerRule::none) continue;
        ++rules;
        std::string tail = gives_integer(row->integer) ? ")" : " 1 0)";
        define("fa", "\\ a (\\ b (" + std::string(name) + " a b" + tail + ")");
        define("fb", "\\ a (\\ b (" + std::string(name) + " (mult a a) (plus b b)" + tail + ")");
        for (const char* a : kEdges) {
            for (const char* b : kEdges) {
                expect_same(std::string("fa ") + a + " " + b);
                expect_same(std::string("fb ") + a + " " + b);
            }
        }
    }
    EXPECT_GE(rules, 7);
}

// Recursion, tail calls, values past 64 bits as arguments and in tests,
// branches that must stay unreduced, and bodies no code can hold.
TEST_F(IntegerBodies, ProgramsByHandGiveTheSameValues) {
    define("fib", "\\ n (? (? (< n 2) n) (+ (fib (- n 1)) (fib (- n 2))))");
    define("go", "\\ n (\\ s (less n 1 s (go (dash n 1) (plus s n))))");
    define("ev", "\\ n (= n 0 1 (od (- n 1)))");
    define("od", "\\ n (= n 0 0 (ev (- n 1)))");
    define("fact", "\\ n (less n 1 1 (mult n (fact (dash n 1))))");
    define("grow", "\\ n (less n 1000000000000000000000000000000 (grow (* n 3)) n)");
    define("spin", "\\ n (spin n)");
    define("lazy", "\\ n (less n 0 (spin n) 7)");
    define("miss", "\\ n (less n 0 (Z n) 7)");
    define("Sq", "\\ a (mult a a)");
    define("lin", "\\ n (plus (Sq n) 1)");
    define("div", "\\ n (over n 2)");
    define("half", "\\ n (plus (div n) 1)");
    define("id", "\\ n (: (: n))");
    const char* kCases[] = {
        "fib 20",   "go 10000 0", "ev 1001",   "od 1001",
        "fact 30",  "grow 2",     "grow 7",    "lazy 5",
        "miss 5",   "lin 9",      "half 9",    "id 4",
        "fib [ab]", "fact K",     "go 3 [ab]", "go 3 123456789012345678901234567890"};
    for (const char* text : kCases) expect_same(text);
    define("+", "mult");  // a body's names are read as they stand when it is compiled
    expect_same("fib 10");
    define("+", "K plus I");  // not a value yet: the body is left to the machine
    expect_same("fib 10");
}

// The laws above would hold with no code at all: the code must be taken
// (a handful of steps for the whole run) and a tail loop must not grow.
TEST_F(IntegerBodies, CodeIsTakenForWholeRecursions) {
    define("fib", "\\ n (less n 2 n (plus (fib (dash n 1)) (fib (dash n 2))))");
    define("go", "\\ n (\\ s (less n 1 s (go (dash n 1) (plus s n))))");
    std::uint64_t with_code = 0, without = 0;
    EXPECT_EQ(value_of("fib 18", true, &with_code), "2584");
    EXPECT_EQ(value_of("fib 18", false, &without), "2584");
    EXPECT_LT(with_code, 50u);
    EXPECT_GT(without, 10000u);
    EXPECT_EQ(value_of("go 3000000 0", true, &with_code), "4500001500000");
    EXPECT_LT(with_code, 50u);
}

// The truths a comparison gives are the program's own K and H: the code
// takes a comparison only while they choose as the prelude's do.
TEST_F(IntegerBodies, ARedefinedTruthIsHonoured) {
    define("ff", "\\ n (? (? (< n 2) 10) 20)");
    define("hh", "\\ n (? (? (< n 2) (+ n 1)) (* n 3))");
    define("K", "\\ x (\\ y y)");
    for (const char* text : {"ff 1", "ff 5", "hh 1", "hh 5"}) {
        EXPECT_EQ(value_of(text, true), value_of(text, false)) << text;
    }
    EXPECT_EQ(value_of("ff 1", true), "20");
}

// A call that gives up (a zero divisor) leaves the code to later calls of
// the same run: the loop after it runs as code.
TEST_F(IntegerBodies, AGiveUpCostsOnlyItsCall) {
    define("dv", "\\ n (\\ d (less n 1 0 (plus (over n d) (dv (dash n 1) d))))");
    const char* text = "{ x (dv 5 0) (dv 2000 1)";
    std::uint64_t with_code = 0, without = 0;
    EXPECT_EQ(value_of(text, true, &with_code), value_of(text, false, &without));
    EXPECT_LT(with_code * 20, without);
}

}  // namespace
}  // namespace vesk::test
