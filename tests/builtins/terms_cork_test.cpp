// cork: the update that matches look, in place only where no one else can
// see it.
#include "checks/sharing.hpp"
#include "engine/machine.hpp"
#include "terms_support.hpp"

namespace vesk::test {
namespace {

using Cork = EngineTest;

struct Row {
    std::vector<TermRef> args;  // t, i, v
    TermRef want;
    int line;
};

TEST_F(Cork, ReplacesOneElementOfEachKind) {
    const Row rows[] = {
        {{p("abc"), n("1"), n("88")}, p("aXc"), __LINE__},
        {{p("abc"), n("01"), n("344")}, p("abX"), __LINE__},  // the low eight bits
        {{p("abc"), n("3"), n("88")}, t("Z"), __LINE__},
        {{p("abc"), n("1"), z("X")}, t("Z"), __LINE__},
        {{z("abc"), n("0"), n("88")}, z("Xbc"), __LINE__},
        {{t("[ab] [c]"), n("2"), n("88")}, z("abX"), __LINE__},
        {{z("a[b]"), n("1"), n("88")}, t("Z"), __LINE__},  // the old byte is a bracket
        {{z("abc"), n("1"), n("91")}, t("Z"), __LINE__},   // the new byte is one
        {{z("abc"), n("1"), n("256")}, t("Z"), __LINE__},
        {{z("abc"), n("04"), n("88")}, t("Z"), __LINE__},
        {{n("5"), n("3"), t("K")}, n("7"), __LINE__},   // K K K H becomes K K K K
        {{n("5"), n("01"), t("K")}, n("7"), __LINE__},
        {{n("5"), n("1"), t("H")}, n("05"), __LINE__},  // the sign bit: -5
        {{n("5"), n("4"), t("K")}, t("Z"), __LINE__},
        {{n("00"), n("0"), t("K")}, n("0"), __LINE__},
        {{n("5"), n("0"), n("1")}, t("Z"), __LINE__},
        {{r(1.0), n("63"), t("K")}, r(-1.0), __LINE__},
        {{r(-1.0), n("01"), t("H")}, r(1.0), __LINE__},
        {{r(1.0), n("64"), t("K")}, t("Z"), __LINE__},
        {{r(1.0), n("0"), n("1")}, t("Z"), __LINE__},
        {{t("K"), n("0"), n("1")}, t("Z"), __LINE__},
        {{p("abc"), z("a"), n("1")}, t("Z"), __LINE__},
    };
    for (const Row& row : rows) {
        TermRef got = call_with("cork", row.args);
        EXPECT_TRUE(same_term(got, row.want)) << "line " << row.line << ": " << show(got);
    }
}

// The call alone holds t: the very cell changes and comes back. Held by
// anyone else as well: a new cell, and the other holder keeps its value.
TEST_F(Cork, InPlaceOnlyWhenTheCallHoldsTheOnlyReference) {
    for (TermRef original : {p("abc"), z("abc")}) {
        TermRef alone = call_with("cork", {original, n("0"), n("88")}, 0b001);
        EXPECT_EQ(alone.cell, original.cell);
        EXPECT_EQ(*integer_argument(call_with("look", {original, n("0")}).cell), 'X');

        TermRef copied = call_with("cork", {original, n("1"), n("89")});
        EXPECT_NE(copied.cell, original.cell);
        EXPECT_EQ(*integer_argument(call_with("look", {copied, n("1")}).cell), 'Y');
        EXPECT_EQ(*integer_argument(call_with("look", {original, n("1")}).cell), 'b');
    }
}

// The sharing table keeps a reference to every cell it hands out, so a cell
// given out by tern is never the call's alone: through the machine a cork on
// it copies, and the shared copy keeps its bytes.
TEST_F(Cork, NeverChangesACellTheSharingTableHandedOut) {
    TermRef shared = call_with("tern", {p("abc")});
    TermRef out = evaluate(rt(), apply(TermRef("cork"), shared, n("0"), n("88")));
    EXPECT_NE(out.cell, shared.cell);
    EXPECT_TRUE(same_term(out, p("Xbc")));
    EXPECT_TRUE(same_term(call_with("tern", {p("abc")}), p("abc")));
    EXPECT_EQ(call_with("tern", {p("abc")}).cell, shared.cell);
}

// Through the machine: a post built during the run and used once is changed
// in place; one bound twice by a let is copied, and both uses see their own
// value.
TEST_F(Cork, TheMachineKnowsWhoHoldsAnArgument) {
    TermRef once = evaluate(rt(), term("cork (init 65) 0 66"));
    EXPECT_TRUE(same_term(once, p("B")));
    TermRef program = term("{ x (init 65) (V (cork x 0 66) x)");
    TermRef pair = evaluate(rt(), program);
    TermRef first = evaluate(rt(), apply(pair, TermRef("K")));
    TermRef second = evaluate(rt(), apply(pair, TermRef("H")));
    EXPECT_TRUE(same_term(first, p("B"))) << show(first);
    EXPECT_TRUE(same_term(second, p("A"))) << show(second);
}

// What the machine tells a handler: the argument is the call's alone when
// nothing else holds it or any cell above it.
bool probe_saw_sole = false;
TermRef probe_handler(Call& call) {
    probe_saw_sole = call.holds_only_reference(0);
    return TermRef(call.args[0]);
}

TEST_F(Cork, TheMachineMarksOnlyUnsharedArguments) {
    install_builtin("probe", 1, probe_handler);
    define("kept", "init 65");
    struct Case {
        const char* program;
        bool sole;
    } cases[] = {
        {"probe (init 65)", true},
        {"K (probe (init 65)) S", true},
        {"{ x (init 65) (V (probe x) x)", false},
        {"{ x (init 65) (probe x)", true},
        {"probe kept", false},
    };
    for (const Case& c : cases) {
        probe_saw_sole = !c.sole;
        TermRef out = evaluate(rt(), term(c.program));
        EXPECT_EQ(probe_saw_sole, c.sole) << c.program;
    }
}

}  // namespace
}  // namespace vesk::test
