// Lifted binders and plans that choose against the plain contractions: the
// same values, the same written forms of closures that leave the machine,
// and the same cached constants, whichever way a call goes.
#include "engine/lift.hpp"

#include <random>
#include <string>
#include <vector>

#include "engine/machine.hpp"
#include "engine_support.hpp"

namespace vesk::test {
namespace {

using LiftedBinders = EngineTest;

Bytes value_of(const std::string& text, bool lift, std::uint64_t* steps = nullptr) {
    engine_lift_binders = lift;
    engine_plan_choices = lift;
    std::uint64_t before = engine_step_count;
    Bytes out = show(evaluate(rt(), term(text)));
    if (steps != nullptr) *steps = engine_step_count - before;
    engine_lift_binders = true;
    engine_plan_choices = true;
    return out;
}

// Globals whose bodies hold lambdas and lets: closures capturing
// parameters, chains, lets inside lambdas, a lambda applied where it is
// written, a chain too long to lift, a linear name, closures in lists.
void define_binders() {
    define("ad", "\\ a (\\ b (+ a b))");                               // ad a = b\a+b
    define("tw", "\\ f (\\ x (f (f x)))");                             // twice
    define("pl", "\\ a (\\ b (\\ c (\\ d (+ (* a c) (- b d)))))");      // a chain of two in a chain
    define("lt", "\\ a ({ b (+ a 1) ({ c (* b b) (+ c a)))");          // lets
    define("lf", "\\ a (\\ x ({ b (+ a x) (\\ y (+ b y))))");           // a let under a lambda
    define("rx", "\\ a ((\\ x (\\ y (+ x y))) a)");                    // a redex as written
    define("ln", "\\ a (\\ b (\\ c (\\ d (\\ e (\\ f (\\ g (\\ h (\\ i (\\ j (\\ k (+ a k)))))))))))");
    define("F", "\\ a (\\ b (\\ x (+ a x)))");                        // a linear name
    define("ls", "\\ a (J (\\ x (+ x a)) (J ({ y a (\\ z y)) K))");    // closures in a list
    define("ap", "\\ l (l 0 (\\ h (\\ t (h 10))))");                   // the list's head applied
    define("sh", "\\ a (\\ a (\\ b (+ a b)))");                        // a letter bound twice
    define("cn", "ad 5");                                              // a constant closure
}

TEST_F(LiftedBinders, ProgramsByHandGiveTheSameValuesAndForms) {
    define_binders();
    const char* kTexts[] = {
        "ad 1 2",      "ad 1",         "tw (ad 3) 4",  "pl 1 2",      "pl 1 2 3",
        "pl 1 2 3 4",  "lt 4",         "lf 1",         "lf 1 2",      "lf 1 2 3",
        "rx 6 7",      "rx 6",         "ln 1",         "ln 1 2 3 4 5 6 7 8 9 10 11",
        "F 1 2",       "F 1 2 3",     "ls 7",         "ap (ls 7)",   "sh 1 2 3",
        "sh 1 2",      "cn 1",         "cn",           "tw tw (ad 1) 0",
        // lambdas of the term itself, applied again and again: planned on
        // their second application
        "tw (\\ x (+ x 1)) 5", "tw tw (\\ x ({ y (+ x 1) (* y 2))) 3",
        "tw tw (\\ x (less x 5 (+ x 10) (\\ z (- x z)))) 1",
        "tw (\\ x (\\ y (+ x y))) 5 6",
    };
    for (const char* text : kTexts) {
        std::uint64_t lifted = 0, plain = 0;
        EXPECT_EQ(value_of(text, true, &lifted), value_of(text, false, &plain)) << text;
    }
    // A closure leaves the machine as the lambda the substitution builds.
    EXPECT_EQ(value_of("lf 1 2", true), "\\ y (+ 3 y)");
    EXPECT_EQ(value_of("ls 7", true), "J (\\ x (+ x 7)) (J (\\ z 7) K)");
}

// Bodies that choose between two branches: on small integers, on numbers
// past 64 bits and on other kinds (the whole body is built then), with a
// branch that never ends left unbuilt, and with the truths redefined.
TEST_F(LiftedBinders, ChoicesTakeTheBranchTheCellsTake) {
    define("spin", "\\ n (spin n)");
    define("ch", "\\ a (\\ b (? (? (< (+ a 1) b) (J a K)) (? (? (= a b) (spin a)) [no])))");
    define("nd", "\\ a (\\ b (less a b (\\ x (+ x a)) (gteq b a a (ch a b))))");
    const char* kTexts[] = {"ch 1 5", "ch 5 1", "ch 1 123456789012345678901234567890",
                            "ch [ab] 2", "nd 1 2", "nd 3 2", "nd 3 2 7", "nd 2 2"};
    for (const char* text : kTexts) EXPECT_EQ(value_of(text, true), value_of(text, false)) << text;
    define("H", "\\ a K");
    for (const char* text : {"ch 5 1", "nd 3 2"}) {
        EXPECT_EQ(value_of(text, true), value_of(text, false)) << text;
    }
}

TEST_F(LiftedBinders, ACachedConstantHoldsTheWrittenForm) {
    define_binders();
    EXPECT_EQ(value_of("cn 2", true), "7");
    Bytes with = show(rt().globals.find("cn")->second);
    define("cn", "ad 5");
    EXPECT_EQ(value_of("cn 2", false), "7");
    EXPECT_EQ(with, show(rt().globals.find("cn")->second));
    EXPECT_EQ(with.find('\x01'), Bytes::npos);
}

// Closures that meet the machine's other rules: a data head passing its
// parts to one, a built-in's argument, an applied error.
TEST_F(LiftedBinders, ClosuresMeetDataBuiltinsAndErrors) {
    define_binders();
    const char* kTexts[] = {
        "[ab] (ad 1)", "lisp (ad 1)", "lisp (ls 3)", "+ (ad 1) 2", "ad 1 [x]", "ad (ad 1) 2",
    };
    for (const char* text : kTexts) EXPECT_EQ(value_of(text, true), value_of(text, false)) << text;
}

// A random body over the parameters a and b and the letters bound inside:
// arithmetic, lambdas applied by twice-like helpers, lets, closures kept
// in lists and given back. Every term ends: nothing recurses.
std::string random_body(std::mt19937& rng, int depth, std::string scope) {
    auto var = [&] { return std::string(1, scope[rng() % scope.size()]); };
    auto sub = [&](const std::string& s) { return random_body(rng, depth - 1, s); };
    if (depth <= 0) return rng() % 3 == 0 ? std::to_string(rng() % 5) : var();
    char fresh = static_cast<char>('c' + rng() % 6);
    std::string inner = scope + fresh;
    switch (rng() % 8) {
        case 0: return "(+ " + sub(scope) + " " + sub(scope) + ")";
        case 1: return "({ " + std::string(1, fresh) + " " + sub(scope) + " " + sub(inner) + ")";
        case 2: return "(tw (\\ " + std::string(1, fresh) + " " + sub(inner) + ") " + sub(scope) + ")";
        case 3: return "(ad " + sub(scope) + " " + sub(scope) + ")";
        case 4: return "(ap (J (\\ " + std::string(1, fresh) + " (\\ t " + sub(inner) + ")) K))";
        case 5: return "((\\ " + std::string(1, fresh) + " " + sub(inner) + ") " + sub(scope) + ")";
        case 6: return "(K " + sub(scope) + " (\\ " + std::string(1, fresh) + " " + sub(inner) + "))";
        default: return var();
    }
}

TEST_F(LiftedBinders, RandomBodiesGiveTheSameValues) {
    define_binders();
    std::mt19937 rng(29);
    for (int i = 0; i < 300; ++i) {
        std::string body = random_body(rng, 4, "ab");
        std::string name = "r" + std::string(1, static_cast<char>('a' + i % 26)) +
                           std::string(1, static_cast<char>('a' + i / 26 % 26));
        define(name.c_str(), "\\ a (\\ b " + body + ")");
        // applied fully, and partly: the second gives a closure back
        for (const std::string& call : {name + " 2 3", name + " 1", "J (" + name + " 4) K"}) {
            ASSERT_EQ(value_of(call, true), value_of(call, false)) << name << " = " << body;
        }
    }
}

}  // namespace
}  // namespace vesk::test
