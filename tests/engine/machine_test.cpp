#include "engine/machine.hpp"

#include "../support/test_runtime.hpp"
#include "builtins/values.hpp"
#include "engine/annotate.hpp"
#include "engine_support.hpp"
#include "runtime/call.hpp"

namespace vesk::test {
namespace {

using Machine = EngineTest;

// The state (continuation focus) with the continuation I.
TermRef start(const TermRef& focus) {
    return make_pair(TermRef("I"), focus);
}
// ((B k) g): a return frame over k.
TermRef frame(const TermRef& k, const TermRef& g) {
    return apply(TermRef("B"), k, g);
}
TermRef focus_of(const TermRef& state) {
    return right(state);
}
TermRef continuation_of(const TermRef& state) {
    return left(state);
}

// M M reduces to itself for ever.
const char* kForever = "(M M)";

TEST_F(Machine, ValueIsReturnedWithoutAStep) {
    TermRef v = term("S K");
    std::uint64_t before = engine_step_count;
    TermRef out = evaluate(rt(), v);
    EXPECT_EQ(out.cell, v.cell);
    EXPECT_EQ(engine_step_count, before);
}

TEST_F(Machine, CombinatorsReduceThroughTheirDefinitions) {
    EXPECT_TRUE(same_term(evaluate(rt(), term("S K K S")), TermRef("S")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("C K S I")), TermRef("I")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("W K S")), TermRef("S")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("V S K K")), TermRef("S")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("H S K")), TermRef("K")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("\\ x (x x) K S")), TermRef("K")));
}

TEST_F(Machine, LinearHeadLeavesItsArgumentsAlone) {
    TermRef out = evaluate(rt(), term(std::string("K S ") + kForever));
    EXPECT_TRUE(same_term(out, TermRef("S")));
    TermRef out2 = evaluate(rt(), term(std::string("H ") + kForever + " K"));
    EXPECT_TRUE(same_term(out2, TermRef("K")));
}

TEST_F(Machine, LinearRedexIsContractedAtOnce) {
    // B x y z with z not a value: one step gives x (y z), z untouched.
    TermRef next = step(rt(), start(term("B S K (I I)")));
    EXPECT_TRUE(same_term(focus_of(next), term("S (K (I I))"))) << show(next);
    EXPECT_TRUE(same_term(continuation_of(next), TermRef("I")));
}

TEST_F(Machine, OneStepOfACallGivesTheBodyAsWritten) {
    // A run's plan contracts the head of the body ? a K ahead, to a K; a
    // single step must still be one transition and give the body as written.
    define("ff", "\\ a (? a K)");
    TermRef next = step(rt(), start(term("ff S")));
    EXPECT_TRUE(same_term(focus_of(next), term("? S K"))) << show(next);
    EXPECT_TRUE(same_term(evaluate(rt(), term("ff K S")), TermRef("K")));
}

TEST_F(Machine, NonLinearRedexReducesItsLastArgumentFirst) {
    // S x y z with z not a value: z is reduced first, S x y waits.
    TermRef next = step(rt(), start(term("S K K (I I)")));
    EXPECT_TRUE(same_term(focus_of(next), term("I I"))) << show(next);
    EXPECT_TRUE(same_term(continuation_of(next), frame(TermRef("I"), term("S K K")))) << show(next);
}

TEST_F(Machine, FunctionPartFirstWhenItIsPending) {
    // S (I K) y z: the function part S (I K) y is reduced before z.
    TermRef next = step(rt(), start(term("S (I K) K (I I)")));
    EXPECT_TRUE(same_term(focus_of(next), term("S (I K) K"))) << show(next);
    EXPECT_TRUE(same_term(continuation_of(next), frame(TermRef("I"), term("T (I I)"))))
        << show(next);
}

TEST_F(Machine, OverAppliedTermReducesItsFunctionFirst) {
    TermRef next = step(rt(), start(term("K K S I")));
    EXPECT_TRUE(same_term(focus_of(next), term("K K S")));
    EXPECT_TRUE(same_term(continuation_of(next), frame(TermRef("I"), term("T I"))));
    EXPECT_TRUE(same_term(evaluate(rt(), term("K K S I")), term("K I")));
}

TEST_F(Machine, LinearPartialApplicationTakesWaitingArguments) {
    // K (I S) lies under one argument frame: it takes the frame's argument
    // unreduced and contracts, leaving I S.
    TermRef state =
        make_pair(frame(TermRef("I"), term(std::string("T ") + kForever)), term("K (I S)"));
    TermRef next = step(rt(), state);
    EXPECT_TRUE(same_term(focus_of(next), term("I S"))) << show(next);
    EXPECT_TRUE(same_term(continuation_of(next), TermRef("I")));
    // Without enough argument frames it reduces its own argument instead.
    TermRef alone = step(rt(), start(term("K (I S)")));
    EXPECT_TRUE(same_term(focus_of(alone), term("I S"))) << show(alone);
    EXPECT_TRUE(same_term(continuation_of(alone), frame(TermRef("I"), TermRef("K"))));
}

TEST_F(Machine, ValueMeetsItsFrames) {
    // A return frame applies its function to the value; an argument frame
    // applies the value to its argument.
    TermRef next = step(rt(), make_pair(frame(TermRef("I"), TermRef("K")), TermRef("S")));
    EXPECT_TRUE(same_term(focus_of(next), term("K S")));
    TermRef applied = step(rt(), make_pair(frame(TermRef("I"), term("T S")), TermRef("K")));
    EXPECT_TRUE(same_term(focus_of(applied), term("K S")));
    EXPECT_TRUE(same_term(drive(rt(), make_pair(frame(TermRef("I"), term("T S")), term("K I"))),
                          TermRef("I")));
    // An argument still to reduce: one step builds the pair, and no more.
    TermRef waiting = step(rt(), make_pair(frame(TermRef("I"), term("T (I K)")), term("S K")));
    EXPECT_TRUE(same_term(focus_of(waiting), term("S K (I K)"))) << show(waiting);
    EXPECT_TRUE(same_term(continuation_of(waiting), TermRef("I")));
    // A let head meeting its body binds first: the body is not reduced
    // with its letter still free.
    TermRef let = drive(rt(), make_pair(frame(TermRef("I"), term("T (+ x 1)")), term("{ x 2")));
    EXPECT_TRUE(same_term(let, TermRef("3"))) << show(let);
}

TEST_F(Machine, StateRoundTripsThroughTheFrameStack) {
    TermRef k = frame(frame(TermRef("I"), TermRef("K")), term("T S"));
    TermRef state = make_pair(k, term("I (I I)"));
    TermRef next = step(rt(), state);  // I (I I) contracts to I I
    EXPECT_TRUE(same_term(continuation_of(next), k)) << show(next);
    EXPECT_TRUE(same_term(focus_of(next), term("I I")));
    // drive: I I gives I, which meets T S and then K.
    EXPECT_TRUE(same_term(drive(rt(), state), term("K S")));
}

TEST_F(Machine, FinishedStateHasNoNextStep) {
    EXPECT_DEATH(step(rt(), start(TermRef("K"))), "ASSERTION FAILED:machine.cpp");
}

TEST_F(Machine, LetBindsItsValueStrictly) {
    // The bound value is reduced first, then the lambda takes it.
    TermRef next = step(rt(), start(term("{ x (I S) (K x)")));
    EXPECT_TRUE(same_term(focus_of(next), term("I S"))) << show(next);
    EXPECT_TRUE(same_term(continuation_of(next), frame(TermRef("I"), term("\\ x (K x)"))));
    EXPECT_TRUE(same_term(evaluate(rt(), term("{ x (I S) (K x)")), term("K S")));
    // With a value bound, the body is substituted and not reduced further
    // than the value demands.
    TermRef lazy = evaluate(rt(), term(std::string("{ x S (K x ") + kForever + ")"));
    EXPECT_TRUE(same_term(lazy, TermRef("S")));
}

TEST_F(Machine, LambdaTakesItsReducedArgument) {
    EXPECT_TRUE(same_term(evaluate(rt(), term("\\ x (x K) (I I)")), TermRef("K")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("\\ x (\\ x x) K S")), TermRef("S")));
}

TEST_F(Machine, GlobalsUnfoldWithAllTheirArguments) {
    define("twice", "\\ f (\\ x (f (f x)))");
    EXPECT_TRUE(same_term(evaluate(rt(), term("twice (K I) S")), TermRef("I")));
    define("flip", "\\ a (\\ a a)");  // a letter bound twice: the inner one wins
    EXPECT_TRUE(same_term(evaluate(rt(), term("flip K S")), TermRef("S")));
}

TEST_F(Machine, MissingNameEndsTheRun) {
    TermRef t = term("K (gone S) K");
    define("gone", "\\ x x");
    annotate(rt().globals, t);
    rt().globals.erase("gone");
    std::uint64_t before = cell_counts().live;
    TermRef out = evaluate(rt(), t);
    EXPECT_EQ(leaf_text(out), "]gone");
    EXPECT_LE(cell_counts().live, before + 1);
}

TEST_F(Machine, ConstantIsComputedOnceAndCached) {
    define("konst", "I (K S)");
    TermRef out = evaluate(rt(), term("konst I"));
    EXPECT_TRUE(same_term(out, TermRef("S")));
    EXPECT_TRUE(same_term(rt().globals.at("konst"), term("K S")));
}

TEST_F(Machine, ValueConstantIsNotRewritten) {
    define("konst", "K S");
    TermRef before = rt().globals.at("konst");
    EXPECT_TRUE(same_term(evaluate(rt(), TermRef("konst")), term("K S")));
    EXPECT_EQ(rt().globals.at("konst").cell, before.cell);
}

TEST_F(Machine, DefinerWrapsLambdaValues) {
    define("ident", "I (\\ x x)");
    TermRef out = evaluate(rt(), TermRef("ident"));
    TermRef wrapped = term("B I (\\ x x)");
    EXPECT_TRUE(same_term(out, wrapped)) << show(out);
    EXPECT_TRUE(same_term(rt().globals.at("ident"), wrapped));
    EXPECT_TRUE(same_term(evaluate(rt(), term("ident S")), TermRef("S")));
}

TEST_F(Machine, ConstantDemandingItselfIsACycle) {
    define("loop", "I loop");
    TermRef out = evaluate(rt(), term("K loop S"));
    EXPECT_EQ(leaf_text(out), ")loop");
    EXPECT_EQ(leaf_text(rt().globals.at("loop")), ")");  // left in progress
}

TEST_F(Machine, DefinerContractsDirectly) {
    define("konst", "I K");
    TermRef definer = make_pair(TermRef(")konst"), term("\\ x x"));
    TermRef next = contract(rt(), start(definer));
    EXPECT_TRUE(same_term(focus_of(next), term("B I (\\ x x)")));
    EXPECT_TRUE(same_term(rt().globals.at("konst"), term("B I (\\ x x)")));
}

int counted_calls = 0;
TermRef counting_handler(Call& call) {
    ++counted_calls;
    return TermRef(call.args[0]);
}

// Takes two arguments, so both are reduced, and returns the first.
TermRef first_handler(Call& call) {
    return TermRef(call.args[0]);
}

TEST_F(Machine, UncachedConstantIsRecomputedEachTime) {
    install_builtin("tick", 1, counting_handler);
    install_builtin("first", 2, first_handler);
    define("fresh", "tick S", true);
    define("kept", "tick S");
    counted_calls = 0;
    EXPECT_TRUE(same_term(evaluate(rt(), term("K fresh fresh")), TermRef("S")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("first fresh fresh")), TermRef("S")));
    EXPECT_EQ(counted_calls, 3);
    counted_calls = 0;
    EXPECT_TRUE(same_term(evaluate(rt(), term("first kept kept")), TermRef("S")));
    EXPECT_TRUE(same_term(evaluate(rt(), term("kept")), TermRef("S")));
    EXPECT_EQ(counted_calls, 1);
}

TermRef raising_handler(Call&) {
    return make_pair(TermRef("]"), TermRef("['[\"oops][\"raise][][][]]"));
}

TEST_F(Machine, BuiltinErrorEndsTheRunWhateverWaits) {
    install_builtin("raise", 1, raising_handler);
    TermRef out = evaluate(rt(), term("S K (S K) (raise K)"));
    ASSERT_TRUE(is_pair(out));
    EXPECT_EQ(leaf_text(left(out)), "]");
    EXPECT_EQ(leaf_text(right(out)), "['[\"oops][\"raise][][][]]");
}

TEST_F(Machine, AppliedErrorStaysTheError) {
    TermRef error = make_pair(TermRef("]"), TermRef("[e]"));
    TermRef out = evaluate(
        rt(), make_pair(make_pair(TermRef("K"), make_pair(error, TermRef("S"))), TermRef("I")));
    EXPECT_TRUE(same_term(out, error)) << show(out);
}

TermRef arity_zero_handler(Call&) {
    return TermRef("S");
}

TEST_F(Machine, BuiltinOfArityZeroIsCalledWithItsName) {
    install_builtin("seven", 0, arity_zero_handler);
    EXPECT_TRUE(same_term(evaluate(rt(), term("K seven I")), TermRef("S")));
}

TEST_F(Machine, RedexWithFreeVariablesIsABrokenInvariant) {
    define("ident", "\\ x x");
    EXPECT_DEATH(contract(rt(), start(term("ident y"))), "ASSERTION FAILED:contract.cpp");
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

// Defines a new global, drops another, and evaluates a use of the new one in
// a nested run, as the run-time definer road does; hands back that run's
// value.
TermRef nested_handler(Call& call) {
    rt().globals.insert_or_assign("added", lambdas("x", "x S"));
    rt().globals.erase("unused");  // the table changes shape under the outer run
    TermRef inner = make_pair(TermRef("added"), TermRef(call.args[0]));
    return drive(rt(), make_pair(TermRef("I"), inner));
}

using Nested = EngineTest;

TEST_F(Nested, RunInsideABuiltinSharesTheGlobals) {
    install_builtin("road", 1, nested_handler, defines_globals);
    define("unused", "K");
    define("konst", "I (K K)");
    define("twice", "\\ f (\\ x (f (f x)))");
    // twice and konst are looked up before and after the nested run, which
    // gives K K S = K as twice's second argument; twice's result K K then
    // takes twice and I.
    TermRef out = evaluate(rt(), term("twice (K konst) (road konst) twice I"));
    EXPECT_TRUE(same_term(out, term("K I"))) << show(out);
    EXPECT_TRUE(same_term(rt().globals.at("konst"), term("K K")));
    EXPECT_EQ(rt().globals.count("added"), 1u);
    EXPECT_EQ(rt().globals.count("unused"), 0u);
}

TEST_F(Nested, GlobalErasedUnderARunIsMissingAfterwards) {
    install_builtin("road", 1, nested_handler, defines_globals);
    install_builtin("first", 2, first_handler);
    define("unused", "K");
    define("uses", "\\ x (unused x)");
    // The body of uses is the same cell at both calls: its name leaf was
    // looked up once before road erased the global.
    TermRef out = evaluate(rt(), term("first (first (uses S) (road K)) (uses S)"));
    EXPECT_EQ(leaf_text(out), "]unused") << show(out);
}

}  // namespace
}  // namespace vesk::test
