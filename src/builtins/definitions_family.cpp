// road and load: program text given at run time is loaded into the running
// program (run_time_definitions.hpp) and its main expression reduced by a
// nested machine that shares the runtime. road reports a failure as an error
// value, which ends the evaluation and shows its picture; load answers "Z"
// wherever road would give an error value.
#include "builtins/definitions_family.hpp"

#include "builtins/run_time_definitions.hpp"
#include "builtins/values.hpp"
#include "diagnostics/cycle.hpp"
#include "engine/machine.hpp"
#include "runtime/call.hpp"

namespace vesk {

namespace {

// Each nested level is a machine on the C stack; a program that loads text
// which loads text, and so on, is stopped at this depth.
constexpr std::size_t kMaxNestedRuns = 200;

Outcome too_deep() {
    Outcome out;
    out.code = "depth";
    out.say = "Run-time definitions nest more than 200 deep.";
    return out;
}

// A value that ends an evaluation wherever it appears: an error value, or
// any pair whose left child is a leaf beginning ")" or "]".
bool ends_evaluation(const Term* r) {
    if (is_leaf_cell(r)) return false;
    unsigned char c = first_byte(left_cell(r));
    return c == ')' || c == ']';
}

// The value of the text's main expression, or the error that ended it. A
// cycle leaf ")name" is turned into its error value here: handed on as a
// plain value it would read as the engine's store-the-value leaf for name.
TermRef reduce(Call& call, TermRef main, bool report) {
    ++call.rt.nested_runs;
    TermRef value = drive(call.rt, make_pair(leaf_of(call.rt.leaves, CommonLeaf::I), std::move(main)));
    --call.rt.nested_runs;
    if (is_leaf_cell(value.cell) && first_byte(value.cell) == ')') {
        return report ? call.error(cycle_outcome(leaf_view(value.cell).substr(1))) : call.fail();
    }
    if (ends_evaluation(value.cell) && !report) return call.fail();
    return value;
}

// road (report) or load. An argument that gives no text is "Z" for both.
TermRef run_time_definition(Call& call, bool report) {
    std::optional<Bytes> text = text_argument(call.args[0]);
    if (!text) return call.fail();
    Outcome out = too_deep();
    if (call.rt.nested_runs < kMaxNestedRuns) {
        std::optional<TermRef> main = define_at_run_time(call.rt, std::move(*text), out);
        if (main) return reduce(call, std::move(*main), report);
    }
    return report ? call.error(out) : call.fail();
}

constexpr BuiltinRow kDefinitionsRows[] = {
    {"road", 1, defines_globals, [](Call& c) { return run_time_definition(c, true); }},
    {"load", 1, defines_globals, [](Call& c) { return run_time_definition(c, false); }},
};

}  // namespace

const BuiltinFamily kDefinitionsFamily = {"definitions", kDefinitionsRows};

}  // namespace vesk
