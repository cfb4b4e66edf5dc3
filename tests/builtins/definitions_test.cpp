// road and load on a checked program: each text beside the value or the
// error it must give. load gives "Z" wherever road gives an error, and a
// failure leaves the running program's globals as they were.
#include "../support/expect_outcome.hpp"
#include "checks/check_program.hpp"
#include "diagnostics/error_value.hpp"
#include "engine/machine.hpp"
#include "runtime/definitions.hpp"
#include "terms_support.hpp"

namespace vesk::test {
namespace {

class Road : public EngineTest {
   protected:
    void SetUp() override {
        EngineTest::SetUp();
        Outcome out = load_definitions(rt(), "a\\0,sq\\x\\x*x");
        ASSERT_TRUE(is_check(out)) << out.say;
        out = check_program(rt());
        ASSERT_TRUE(is_check(out)) << out.say;
    }
    static TermRef road(std::string_view text) { return call_with("road", {z(text)}); }
    static TermRef load(std::string_view text) { return call_with("load", {z(text)}); }
    static Outcome error_of(const TermRef& value) {
        EXPECT_TRUE(is_error_value(value)) << show(value);
        if (!is_error_value(value)) return Outcome{};
        return decode_error_value(leaf_view(right_cell(value.cell)));
    }
};

// n multi-letter parameters around 0.
Bytes parameters(int n) {
    Bytes text;
    for (int i = 0; i < n; ++i) text += Bytes("p") + static_cast<char>('a' + i / 26) +
                                        static_cast<char>('a' + i % 26) + "\\";
    return text + "0";
}

struct Failure {
    Bytes text;
    ExpectedOutcome want;
};

TEST_F(Road, EveryFailureIsAnErrorValueForRoadAndZForLoad) {
    const Failure rows[] = {
        {"(1", {"match", "Dangling left-parenthesis at [_____].", "_____", {}, "yes"}},
        {"x+(a,b)", {"comma", {}, {}, {}, ""}},
        {"0,q\\1", {"lower", "Single lowercase letters (q) cannot be defined as global variables.",
                    "____b", "q", ""}},
        {"0,plus\\1", {"built", "Built in function plus cannot be re-defined.", "____b", "plus"}},
        {"0,[{]\\1", {"built", "Built in function { cannot be re-defined."}},
        {"0,sq\\1", {"roads", "Attempt to redefine function sq using the road function.", "sq", ""}},
        {"0,K\\1", {"roads", "Attempt to redefine function K using the road function."}},
        {"0,_\\1", {"roads"}},
        {"0,newer\\1,sq\\2", {"roads"}},
        {"1\\1", {"funky", "Funky key in expression (\\1 1)", "", "(\\1 1)"}},
        {"hh 1,hh\\k\\1\\1", {"funky", "Funky key in expression (\\1 1) in function hh", "hh"}},
        {"foo 1", {"alive", "Alive function TOP references undefined function foo", "TOP", "foo"}},
        {"hh 1,hh\\x\\foo x",
         {"alive", "Alive function hh references undefined function foo", "hh", "foo"}},
        {"(" + parameters(27) + ") 1", {"place", "Place error.", ""}},
        {"hh,hh\\" + parameters(27), {"place", "Place error in function hh", "hh"}},
        {"aa,aa\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\l\\0",
         {"arity", "Arity of function aa may not exceed ten.", "aa"}},
        {"(xs\\xs) xs,xs\\1", {"local", "Local variable a unbound.", ""}},
        {"hh 1,hh\\y\\(xs\\xs) xs,xs\\1",
         {"local", "Local variable a unbound in function hh", "hh"}},
    };
    std::size_t globals = rt().globals.size();
    for (const Failure& row : rows) {
        SCOPED_TRACE(row.text);
        expect_outcome(error_of(road(row.text)), row.want);
        EXPECT_TRUE(same_term(load(row.text), t("Z")));
        EXPECT_EQ(rt().globals.size(), globals);  // nothing was entered
    }
    EXPECT_EQ(rt().globals.count("newer"), 0u);
}

TEST_F(Road, DefinitionsStayAndTheMainExpressionIsTheValue) {
    EXPECT_TRUE(same_term(road("dbl 21,dbl\\x\\x*2"), n("42")));
    EXPECT_TRUE(same_term(road("dbl (sq 3)"), n("18")));  // both programs' names
    EXPECT_TRUE(same_term(load("tpl 2,tpl\\x\\3*x"), n("6")));
    EXPECT_TRUE(same_term(call_with("road", {p("tpl(dbl 1)")}), n("6")));
    expect_outcome(error_of(road("0,dbl\\1")), {"roads"});
    // A later definition of a name in one text replaces the earlier.
    EXPECT_TRUE(same_term(road("twice,twice\\1,twice\\2"), n("2")));
    // An uncached definition stays uncached.
    EXPECT_TRUE(same_term(road("cnt+cnt,cnt()\\5"), n("10")));
    EXPECT_EQ(rt().uncached.count("cnt"), 1u);
    // An unreachable definition that uses a missing name is dropped.
    EXPECT_TRUE(same_term(road("7,broken\\nowhere"), n("7")));
    EXPECT_EQ(rt().globals.count("broken"), 0u);
    // The running program can call what road defined.
    TermRef out = evaluate(rt(), apply(TermRef("dbl"), n("5")));
    EXPECT_TRUE(same_term(out, n("10")));
}

TEST_F(Road, TextComesFromPostsZitsAndAddresses) {
    Bytes c_text = "sq 4";
    TermRef address = unsigned_result(reinterpret_cast<std::uintptr_t>(c_text.c_str()));
    EXPECT_TRUE(same_term(call_with("road", {address}), n("16")));
    EXPECT_TRUE(same_term(call_with("road", {t("[sq] [ 5]")}), n("25")));
    for (const char* name : {"road", "load"}) {
        EXPECT_TRUE(same_term(call_with(name, {r(1.0)}), t("Z"))) << name;
        EXPECT_TRUE(same_term(call_with(name, {n("0")}), t("Z"))) << name;
        EXPECT_TRUE(same_term(call_with(name, {t("K")}), t("Z"))) << name;
    }
}

// What ends the nested evaluation ends road's caller too; load answers Z.
TEST_F(Road, ErrorsOfTheNestedEvaluation) {
    expect_outcome(error_of(road("cc,cc\\cc")), {"cycle", "Cycle detected on function cc.", "cc"});
    EXPECT_TRUE(same_term(load("dd,dd\\dd"), t("Z")));
    expect_outcome(error_of(road("road [foo]")),
                   {"alive", "Alive function TOP references undefined function foo"});
    EXPECT_TRUE(same_term(load("road [foo]"), t("Z")));
    EXPECT_TRUE(same_term(road("load [foo]"), t("Z")));
    // A text that loads itself again and again is stopped, not left to
    // exhaust the stack.
    expect_outcome(error_of(road("again 0,again\\n\\road([again ]+n)")), {"depth"});
    EXPECT_EQ(rt().nested_runs, 0u);
    EXPECT_TRUE(same_term(load("again 0"), t("Z")));
}

}  // namespace
}  // namespace vesk::test
