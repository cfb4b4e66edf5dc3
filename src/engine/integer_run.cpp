// Running integer code: one loop over a stack of values and a stack of
// saved activations, both on the heap, so a deep recursion of the program
// grows them and never the C stack.
#include <algorithm>
#include <span>
#include <vector>

#include "engine/integer_body.hpp"
#include "engine/run_budget.hpp"
#include "numbers/integers.hpp"
#include "numbers/small_integers.hpp"
#include "runtime/call.hpp"

namespace vesk {

namespace {

// A value: `small`, or, when `big` is set, that integer leaf (an owner),
// beyond the 64-bit range.
struct Slot {
    std::int64_t small;
    Term* big;
};

// Where a caller goes on when its callee is done.
struct Activation {
    const IntegerStep* code;
    std::size_t pc;
    std::size_t base;  // its first parameter's place on the value stack
};

// The runs never nest (the code calls only pure handlers), so one pair of
// stacks serves them all and keeps its room.
constinit std::vector<Slot> values;
constinit std::vector<Activation> callers;

void drop(Slot s) {
    if (s.big != nullptr) release(s.big);
}

Slot copy(Slot s) {
    if (s.big != nullptr) retain(s.big);
    return s;
}

// The slot's value as an integer leaf, an owner.
Term* leaf_of(Slot s) {
    if (s.big != nullptr) return retained(s.big);
    return int_term(s.small).take();
}

// The row's handler on the two values as leaves: the general case.
TermRef call_handler(Machine& m, const BuiltinRow* row, Slot a, Slot b) {
    Term* args[2] = {leaf_of(a), leaf_of(b)};
    Call call{std::span<Term* const>(args, 2), m.rt, 0};
    TermRef r = row->handler(call);
    release(args[0]);
    release(args[1]);
    return r;
}

// a op b on host integers; false where the result leaves 64 bits or is not
// an integer (a zero divisor): the handler decides those.
bool host_arith(IntegerRule rule, std::int64_t a, std::int64_t b, std::int64_t& r) {
    bool divides = b != 0 && !(b == -1 && a == INT64_MIN);
    switch (rule) {
        case IntegerRule::plus: return !__builtin_add_overflow(a, b, &r);
        case IntegerRule::minus: return !__builtin_sub_overflow(a, b, &r);
        case IntegerRule::times: return !__builtin_mul_overflow(a, b, &r);
        case IntegerRule::quotient:
            if (!divides) return false;
            r = a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
            return true;
        case IntegerRule::remainder:
            if (!divides || b == INT64_MIN) return false;
            r = a % b;  // then the floor's remainder, of b's sign, made non-negative
            if (r != 0 && (r < 0) != (b < 0)) r += b;
            if (b < 0) r = -r;
            return true;
        default: return false;
    }
}

// a op b into r; false when the handler gave something other than an
// integer, which the rules say cannot happen.
bool arith(Machine& m, const IntegerStep& step, Slot a, Slot b, Slot& r) {
    r.big = nullptr;
    if (a.big == nullptr && b.big == nullptr &&
        host_arith(step.row->integer, a.small, b.small, r.small)) {
        return true;
    }
    TermRef out = call_handler(m, step.row, a, b);
    if (std::optional<std::int64_t> v = small_integer(out.cell)) {
        r.small = *v;
        return true;
    }
    if (!is_leaf_cell(out.cell) || !is_integer(out)) return false;
    r.big = out.take();
    return true;
}

// a cmp b on host integers: 1 true, 0 false, -1 for a rule that is no test.
int small_test(IntegerRule rule, std::int64_t a, std::int64_t b) {
    switch (rule) {
        case IntegerRule::less: return a < b;
        case IntegerRule::at_least: return a >= b;
        case IntegerRule::same: return a == b;
        case IntegerRule::differ: return a != b;
        default: return -1;
    }
}

// a cmp b: 1 true, 0 false, -1 for a handler giving neither truth.
int test(Machine& m, const IntegerStep& step, Slot a, Slot b) {
    if (a.big == nullptr && b.big == nullptr) return small_test(step.row->integer, a.small, b.small);
    TermRef out = call_handler(m, step.row, a, b);
    if (is_byte_leaf(out.cell, 'K')) return 1;
    if (is_byte_leaf(out.cell, 'H')) return 0;
    return -1;
}

Slot pop() {
    Slot s = values.back();
    values.pop_back();
    return s;
}

// Gives up a run part way: every value is dropped.
Term* give_up() {
    for (Slot s : values) drop(s);
    values.clear();
    callers.clear();
    return nullptr;
}

// The loop. The arguments are on the value stack; the result is left as its
// only value. nullptr (and empty stacks) when the run gave up.
Term* run_code(Machine& m, const IntegerStep* code) {
    std::vector<GlobalPlan>& plans = m.names.plans;
    std::size_t pc = 0, base = 0;
    for (;;) {
        const IntegerStep& step = code[pc++];
        switch (step.op) {
            case IntegerStep::param: values.push_back(copy(values[base + step.count])); break;
            case IntegerStep::constant:
                values.push_back(
                    {step.value, step.leaf != nullptr ? retained(step.leaf) : nullptr});
                break;
            case IntegerStep::arith: {
                Slot b = pop(), a = pop(), r;
                bool ok = arith(m, step, a, b, r);
                drop(a);
                drop(b);
                if (!ok) return give_up();
                values.push_back(r);
                break;
            }
            case IntegerStep::test: {
                Slot b = pop(), a = pop();
                int truth = test(m, step, a, b);
                drop(a);
                drop(b);
                if (truth < 0) return give_up();
                if (truth == 0) pc = step.target;
                break;
            }
            case IntegerStep::jump: pc = step.target; break;
            case IntegerStep::call:
            case IntegerStep::tail_call: {
#ifdef VESK_RUN_BUDGET
                if (run_budget_spent()) return give_up();
#endif
                std::size_t first = values.size() - step.count;
                if (step.op == IntegerStep::call) {
                    callers.push_back({code, pc, base});
                    base = first;
                } else {
                    // the arguments take the places of the parameters
                    for (std::size_t i = base; i < first; ++i) drop(values[i]);
                    std::copy(values.begin() + static_cast<std::ptrdiff_t>(first), values.end(),
                              values.begin() + static_cast<std::ptrdiff_t>(base));
                    values.resize(base + step.count);
                }
                code = plans[step.target].code.steps.data();
                pc = 0;
                break;
            }
            case IntegerStep::done: {
                Slot result = pop();
                for (std::size_t i = base; i < values.size(); ++i) drop(values[i]);
                values.resize(base);
                values.push_back(result);
                if (callers.empty()) {
                    values.clear();
                    return result.big != nullptr ? result.big : int_term(result.small).take();
                }
                Activation back = callers.back();
                callers.pop_back();
                code = back.code;
                pc = back.pc;
                base = back.base;
                break;
            }
        }
    }
}

}  // namespace

Term* run_integer_body(Machine& m, std::size_t index, const Spine& s) {
    if (m.names.plans[index].code.state == CodeState::unknown) {
        compile_integer_body(m.names, index);
    }
    IntegerCode& code = m.names.plans[index].code;
    if (code.state != CodeState::ready) return nullptr;
    if (code.skip > 0) {
        --code.skip;
        return nullptr;
    }
    for (int i = 0; i < s.count; ++i) {
        std::optional<std::int64_t> v = small_integer(s.arg[i]);
        if (!v) {
            values.clear();
            return nullptr;
        }
        values.push_back({*v, nullptr});
    }
    Term* result = run_code(m, code.steps.data());
    IntegerCode& after = m.names.plans[index].code;  // running makes no plans, but read it again
    if (result == nullptr) {
        if (after.give_ups < 16) ++after.give_ups;
        after.skip = (std::uint32_t{1} << after.give_ups) - 1;
        return nullptr;
    }
    after.give_ups = 0;
    annotate(m.rt.globals, result);
    return result;
}

// A small stack on the C stack is enough: the code of a choice or an
// argument is one expression of a body, nested at most so deep.
std::optional<std::int64_t> run_flat_code(const std::vector<IntegerStep>& code,
                                          Term* const* by_letter) {
    constexpr std::size_t kMostValues = 64;
    std::int64_t stack[kMostValues];
    std::size_t top = 0;
    for (std::size_t pc = 0; pc < code.size();) {
        const IntegerStep& step = code[pc++];
        switch (step.op) {
            case IntegerStep::param: {
                std::optional<std::int64_t> v = small_integer(by_letter[step.count]);
                if (!v || top == kMostValues) return std::nullopt;
                stack[top++] = *v;
                break;
            }
            case IntegerStep::constant:
                if (step.leaf != nullptr || top == kMostValues) return std::nullopt;
                stack[top++] = step.value;
                break;
            case IntegerStep::arith: {
                std::int64_t r;
                if (!host_arith(step.row->integer, stack[top - 2], stack[top - 1], r)) {
                    return std::nullopt;
                }
                stack[--top - 1] = r;
                break;
            }
            case IntegerStep::test: {
                std::int64_t a = stack[top - 2], b = stack[top - 1];
                top -= 2;
                int truth = small_test(step.row->integer, a, b);
                if (truth < 0) return std::nullopt;
                if (truth == 0) pc = step.target;
                break;
            }
            case IntegerStep::jump: pc = step.target; break;
            case IntegerStep::done: return stack[top - 1];
            case IntegerStep::call:
            case IntegerStep::tail_call: return std::nullopt;  // never made without calls
        }
    }
    return std::nullopt;
}

}  // namespace vesk
