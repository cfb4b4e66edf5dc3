// Compiling a body to integer code: a walk that emits code for the whole
// body or gives up. It recurses on the body's nesting and on the chain of
// callees it compiles ahead, both bounded: a body nested deeper, or reached
// through a longer chain of first calls, is left to the machine.
#include <utility>
#include <vector>

#include "engine/integer_body.hpp"
#include "engine/plan_heads.hpp"
#include "engine/shape.hpp"
#include "numbers/integers.hpp"
#include "numbers/small_integers.hpp"

namespace vesk {

namespace {

constexpr int kMostNesting = 48;
constexpr int kMostCallees = 8;
constexpr int kMostRounds = 8;  // names standing for names, identities unwrapped
constexpr std::size_t kMostSteps = 4096;

// One compile: the plans it has set compiling, which calls may have been
// taken on trust.
struct Compile {
    NameCache& cache;
    std::vector<std::size_t> round;
};

// The body being compiled: its parameters' letters, a copy (compiling a
// callee may move the plans), and its code so far.
struct Body {
    Compile& c;
    std::vector<unsigned char> letters;
    int callee_depth;
    std::vector<IntegerStep> code;
    bool calls = true;  // false: code for a plan's choice, which calls nothing
};

// What a head leaf stands for, seen as the machine would see it after its
// alias contractions: a small integer, the identity, a built-in with an
// integer rule, a global function (a plan), or none of these.
struct Head {
    enum Kind { other, number, identity, rule, function } kind = other;
    std::int64_t value = 0;
    const BuiltinRow* row = nullptr;
    std::size_t plan = 0;
    Term* big = nullptr;  // number: a longer integer leaf
};

bool is_identity(const GlobalPlan& p) {
    Term* b = p.body.body.cell;
    return p.letters.size() == 1 && is_leaf_cell(b) && leaf_view(b).size() == 1 &&
           first_byte(b) == p.letters[0];
}

// d = x\x, the identity as written (borrowed).
bool is_identity_definition(Term* d) {
    return binder_shape(d) == BinderShape::lambda && is_leaf_cell(right_cell(d)) &&
           leaf_length(right_cell(d)) == 1 &&
           first_byte(right_cell(d)) == first_byte(right_cell(left_cell(d)));
}

// A constant whose definition is a value leaf stands for that leaf, as the
// machine's alias rule takes it, so the walk goes on with the leaf. Without
// `plans` no plan is made (the code of a choice, made while a plan is being
// made, calls no global): a global function is then none of these, and the
// identity is known by its definition alone.
Head resolve(NameCache& cache, Term* leaf, bool plans = true) {
    for (int round = 0; round < kMostRounds; ++round) {
        if (leaf_kind(leaf) == LeafKind::number) {
            if (std::optional<std::int64_t> v = small_integer(leaf)) return {Head::number, *v};
            if (!is_integer_value(TermRef(leaf))) return {};  // a bit string
            return {Head::number, 0, nullptr, 0, leaf};
        }
        if (!is_name_head(leaf) || find_lifted(cache.lifted, leaf) != nullptr) return {};
        NameEntry* e = find_name(cache, leaf);
        if (e == nullptr) return {};
        if (e->kind == NameKind::builtin) {
            if (e->row->integer == IntegerRule::none) return {};
            return {Head::rule, 0, e->row};
        }
        Term* d = e->definition->cell;
        if (in_progress(d)) return {};
        if (!plans) {
            if (binder_shape(d) == BinderShape::lambda) {
                bool identity = is_linear_byte(first_byte(leaf)) && is_identity_definition(d);
                return identity ? Head{Head::identity} : Head{};
            }
            if (!is_leaf_cell(d) || standing_value(cache.rt.globals, d) == nullptr) return {};
            leaf = d;
            continue;
        }
        const GlobalPlan* p = global_plan(cache, *e);  // e may have moved
        if (p == nullptr) {
            if (!is_leaf_cell(d) || standing_value(cache.rt.globals, d) == nullptr) return {};
            leaf = d;
            continue;
        }
        if (!is_linear_byte(first_byte(leaf))) {
            return {Head::function, 0, nullptr, static_cast<std::size_t>(p - cache.plans.data())};
        }
        return is_identity(*p) ? Head{Head::identity} : Head{};
    }
    return {};
}

bool unwrap_identity(HeadSpine& s);
bool compile_plan(Compile& c, std::size_t index, int callee_depth);
bool emit(Body& b, Term* t, bool tail, int nesting);

// d = x\body (borrowed): the letter, and the body in `body`; 0 otherwise.
unsigned char lambda_of(Term* d, Term*& body) {
    if (d == nullptr || binder_shape(d) != BinderShape::lambda) return 0;
    body = right_cell(d);
    return first_byte(right_cell(left_cell(d)));
}

Term* definition_of(const GlobalTable& globals, const char* name) {
    auto found = globals.find(name);
    return found == globals.end() ? nullptr : found->second.cell;
}

// Whether the truths a comparison gives choose as the code's jump does:
// K a b = a and H a b = b, as the prelude's K\a\b\a, H\a\I and I\a\a do. A
// program that defines them otherwise has its comparisons reduced as cells.
bool truths_choose(const GlobalTable& globals) {
    Term *k1, *k2, *h, *i;
    unsigned char x = lambda_of(definition_of(globals, "K"), k1);
    unsigned char y = lambda_of(x != 0 ? k1 : nullptr, k2);
    bool k_first = x != 0 && y != 0 && x != y && is_byte_leaf(k2, static_cast<char>(x));
    bool h_second = lambda_of(definition_of(globals, "H"), h) != 0 && is_byte_leaf(h, 'I');
    unsigned char z = lambda_of(definition_of(globals, "I"), i);
    return k_first && h_second && z != 0 && is_byte_leaf(i, static_cast<char>(z));
}

void emit_step(Body& b, IntegerStep step) {
    b.code.push_back(step);
}

bool finish(Body& b, bool tail) {
    if (tail) emit_step(b, {IntegerStep::done});
    return true;
}

bool emit_arguments(Body& b, const HeadSpine& s, int count, int nesting) {
    for (int i = 0; i < count; ++i) {
        if (!emit(b, s.arg[i], false, nesting + 1)) return false;
    }
    return true;
}

// op a b, or cmp a b yes no.
bool emit_rule(Body& b, const BuiltinRow* row, const HeadSpine& s, bool tail, int nesting) {
    bool arith = gives_integer(row->integer);
    if (!arith && !truths_choose(b.c.cache.rt.globals)) return false;
    if (s.count != (arith ? 2 : 4) || !emit_arguments(b, s, 2, nesting)) return false;
    if (arith) {
        emit_step(b, {IntegerStep::arith, 0, 0, 0, row});
        return finish(b, tail);
    }
    std::size_t test = b.code.size();
    emit_step(b, {IntegerStep::test, 0, 0, 0, row});
    if (!emit(b, s.arg[2], tail, nesting + 1)) return false;
    std::size_t jump = b.code.size();
    if (!tail) emit_step(b, {IntegerStep::jump});
    b.code[test].target = static_cast<std::uint32_t>(b.code.size());
    if (!emit(b, s.arg[3], tail, nesting + 1)) return false;
    if (!tail) b.code[jump].target = static_cast<std::uint32_t>(b.code.size());
    return true;
}

// g a1 .. an: the callee is compiled first (or taken on trust while it is
// being compiled), so that a body's code only ever calls code.
bool emit_call(Body& b, std::size_t plan, const HeadSpine& s, bool tail, int nesting) {
    if (!b.calls) return false;
    const GlobalPlan& callee = b.c.cache.plans[plan];
    if (callee.letters.size() != static_cast<std::size_t>(s.count)) return false;
    switch (callee.code.state) {
        case CodeState::none: return false;
        case CodeState::unknown:
            if (b.callee_depth >= kMostCallees) return false;
            if (!compile_plan(b.c, plan, b.callee_depth + 1)) return false;
            break;
        default: break;
    }
    if (!emit_arguments(b, s, s.count, nesting)) return false;
    auto op = tail ? IntegerStep::tail_call : IntegerStep::call;
    emit_step(b, {op, static_cast<std::uint16_t>(s.count), static_cast<std::uint32_t>(plan)});
    return true;
}

bool emit_parameter(Body& b, Term* leaf, bool tail) {
    if (leaf_view(leaf).size() != 1) return false;
    // a letter bound twice names the innermost lambda's argument
    for (std::size_t i = b.letters.size(); i > 0; --i) {
        if (b.letters[i - 1] == first_byte(leaf)) {
            emit_step(b, {IntegerStep::param, static_cast<std::uint16_t>(i - 1)});
            return finish(b, tail);
        }
    }
    return false;
}

// I a b .. = a b ..: the spine of a, the rest appended. False when that
// spine is longer than any redex.
bool unwrap_identity(HeadSpine& s) {
    HeadSpine inner;
    if (s.count == 0 || !read_spine(s.arg[0], inner)) return false;
    if (inner.count + s.count - 1 > kMaxArguments) return false;
    for (int i = 1; i < s.count; ++i) inner.arg[inner.count++] = s.arg[i];
    s = inner;
    return true;
}

bool emit(Body& b, Term* t, bool tail, int nesting) {
    HeadSpine s;
    if (nesting > kMostNesting || b.code.size() > kMostSteps || !read_spine(t, s)) return false;
    for (int round = 0; round < kMostRounds; ++round) {
        if (!is_leaf_cell(s.head)) return false;
        if (s.count == 0 && emit_parameter(b, s.head, tail)) return true;
        Head head = resolve(b.c.cache, s.head, b.calls);
        switch (head.kind) {
            case Head::number:
                if (s.count != 0) return false;
                emit_step(b, {IntegerStep::constant, 0, 0, head.value, nullptr, head.big});
                return finish(b, tail);
            case Head::rule: return emit_rule(b, head.row, s, tail, nesting);
            case Head::function: return emit_call(b, head.plan, s, tail, nesting);
            case Head::identity:
                if (!unwrap_identity(s)) return false;
                break;
            case Head::other: return false;
        }
    }
    return false;
}

bool compile_plan(Compile& c, std::size_t index, int callee_depth) {
    GlobalPlan& plan = c.cache.plans[index];
    plan.code.state = CodeState::compiling;
    c.round.push_back(index);
    Body b{c, plan.letters, callee_depth, {}};
    Term* body = plan.body.body.cell;  // held by the plan wherever it moves
    bool ok = emit(b, body, true, 0);
    IntegerCode& code = c.cache.plans[index].code;
    code.state = ok ? CodeState::ready : CodeState::none;
    if (ok) code.steps = std::move(b.code);
    return ok;
}

// Whether a compiled body calls a plan that turned out to have no code.
bool calls_none(const NameCache& cache, const IntegerCode& code) {
    for (const IntegerStep& step : code.steps) {
        bool calls = step.op == IntegerStep::call || step.op == IntegerStep::tail_call;
        if (calls && cache.plans[step.target].code.state == CodeState::none) return true;
    }
    return false;
}

}  // namespace

void compile_integer_body(NameCache& cache, std::size_t index) {
    Compile c{cache, {}};
    compile_plan(c, index, 0);
    // Calls taken on trust: a body that calls one that failed fails too,
    // until no more do.
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i : c.round) {
            IntegerCode& code = cache.plans[i].code;
            if (code.state == CodeState::ready && calls_none(cache, code)) {
                code.state = CodeState::none;
                code.steps.clear();
                changed = true;
            }
        }
    }
}

bool open_choice(NameCache& cache, Term* t, Choice& out) {
    HeadSpine s;
    if (!read_spine(t, s)) return false;
    for (int round = 0; round < kMostRounds; ++round) {
        if (!is_leaf_cell(s.head)) return false;
        Head head = resolve(cache, s.head, false);
        if (head.kind == Head::identity) {
            if (!unwrap_identity(s)) return false;
            continue;
        }
        if (head.kind != Head::rule || gives_integer(head.row->integer) || s.count != 4) return false;
        if (!truths_choose(cache.rt.globals)) return false;
        // the test: e1 and e2 over the letters by their place in the alphabet
        Compile c{cache, {}};
        Body b{c, {}, 0, {}, false};
        for (unsigned char x = 'a'; x <= 'z'; ++x) b.letters.push_back(x);
        if (!emit(b, s.arg[0], false, 0) || !emit(b, s.arg[1], false, 0)) return false;
        auto at = static_cast<std::uint32_t>(b.code.size());
        emit_step(b, {IntegerStep::test, 0, at + 3, 0, head.row});
        emit_step(b, {IntegerStep::constant, 0, 0, 1});
        emit_step(b, {IntegerStep::done});
        emit_step(b, {IntegerStep::constant, 0, 0, 0});
        emit_step(b, {IntegerStep::done});
        out.test = std::move(b.code);
        out.yes = s.arg[2];
        out.no = s.arg[3];
        return true;
    }
    return false;
}

}  // namespace vesk
