// The contraction rules of the machine, one function per kind of head. The
// focus is a saturated redex: a closed, non-data term of arity 0. Each rule
// builds the contractum before it lets go of the redex, whose cells the
// arguments are borrowed from.
#include "engine/contract.hpp"

#include "engine/integer_body.hpp"
#include "engine/leaves.hpp"
#include "engine/lift.hpp"
#include "engine/machine.hpp"
#include "engine/reify.hpp"
#include "engine/shape.hpp"
#include "engine/substitute.hpp"
#include "engine/trail.hpp"
#include "runtime/call.hpp"

namespace vesk {

Spine open_spine(Term* t) {
    Spine s;
    int n = 0;
    for (Term* c = t; !is_leaf_cell(c) && !is_data_cell(c); c = left_cell(c)) ++n;
    VESK_ASSERT(n <= kMaxArguments);
    s.count = n;
    s.sole = 0;
    bool unique = true;  // every spine cell so far has one owner
    while (n > 0) {
        unique = unique && refs_of(t) == 1;
        s.arg[--n] = right_cell(t);
        if (unique && refs_of(s.arg[n]) == 1) s.sole |= static_cast<std::uint16_t>(1u << n);
        t = left_cell(t);
    }
    s.head = t;
    return s;
}

namespace {

// An annotated owner of a new leaf.
Term* new_leaf(Machine& m, std::string_view text) {
    Term* t = retained(make_leaf(text));
    annotate(m.rt.globals, t);
    return t;
}

Term* prefixed_leaf(Machine& m, char prefix, std::string_view name) {
    Bytes text(1, prefix);
    text.append(name);
    return new_leaf(m, text);
}

// Ends the run: the continuation becomes I and `result` (an owner) the focus.
void end_with(Machine& m, Term* result) {
    clear_frames(m);
    set_focus(m, result);
}

}  // namespace

// The written form of a term that leaves the machine (an owner).
Term* written_form(Machine& m, Term* t) {
    return reify_lifted(m.rt.globals, m.names.lifted, t);
}

// name a1 .. an = the handler's result, the arguments borrowed from the
// spine (whose cells the caller keeps alive until the result is placed).
// A handler sees every argument in its written form: one that holds a
// lifted closure is rewritten for the call, and is never its to change.
Term* run_builtin(Machine& m, const BuiltinRow& row, const Spine& s) {
    VESK_ASSERT(s.count == row.arity);
    Spine shown = s;
    Term* owned[kMaxArguments];
    int written = 0;
    for (int i = 0; i < s.count; ++i) {
        if (holds_lifted(s.arg[i])) [[unlikely]] {
            shown.arg[i] = owned[written++] = written_form(m, s.arg[i]);
            shown.sole = static_cast<std::uint16_t>(shown.sole & ~(1u << i));
        }
    }
    Call call{spine_arguments(shown), m.rt, shown.sole};
    Term* r = row.handler(call).take();
    if (m.rt.trail != nullptr) [[unlikely]] trail_builtin_result(m, row, call.args, r);
    for (int i = 0; i < written; ++i) release(owned[i]);
    note_builtin_called(m.names, row);
    return r;
}

// A result (x y) whose x is a leaf beginning with ")" or "]" is an error: it
// ends the run.
bool ends_run(const Term* r) {
    if (is_leaf_cell(r)) return false;
    unsigned char c = first_byte(left_cell(r));
    return c == ')' || c == ']';
}

namespace {

// { x v body = body[x := v]          when v is a value
// { x v body = (\ x body) v          otherwise: v is reduced first
void contract_let(Machine& m, const Spine& s) {
    Term* x = s.arg[0];
    Term* v = s.arg[1];
    Term* body = s.arg[2];
    ensure_annotated(m.rt.globals, v);
    if (annotated_value(v)) {
        Substitution sub;
        sub.letters = letter_bit(first_byte(x));
        sub.values[first_byte(x) - 'a'] = v;
        set_focus(m, substitute_cells(m.rt.globals, body, sub));
        return;
    }
    Term* head = owned_pair(annotated_leaf(m.rt, CommonLeaf::lambda), retained(x));
    m.frames.push_back(return_frame(owned_pair(head, retained(body))));
    set_focus(m, retained(v));
}

// \ x body a = body[x := a]          (a is a value: \ is not a linear head)
// A body applied before is replayed from its plan (lambda_plans.hpp).
void contract_lambda(Machine& m, const Spine& s) {
    unsigned char x = first_byte(s.arg[0]);
    VESK_ASSERT(x >= 'a' && x <= 'z');
    if (const SubstitutionPlan* plan = lambda_plan(m.names, s.arg[1], x)) {
        Term* values[26];  // only x is read
        values[x - 'a'] = s.arg[2];
        set_focus(m, engine_unbuilt_spine ? run_plan_onto(*plan, values, m.frames, true)
                                          : run_plan(*plan, values));
        return;
    }
    Substitution sub;
    sub.letters = letter_bit(x);
    sub.values[x - 'a'] = s.arg[2];
    set_focus(m, substitute_cells(m.rt.globals, s.arg[1], sub));
}

// )name v = v, and v becomes name's cached value; a lambda v is stored and
// returned as (B I v), so that name stays a constant of arity 0.
// The table holds written forms only: a closure is given its own first.
void contract_definer(Machine& m, const Spine& s) {
    Term* v = s.arg[0];
    VESK_ASSERT(value_cell(m.rt.globals, v));
    std::string_view name = leaf_view(s.head).substr(1);
    auto found = m.rt.globals.find(name);
    VESK_ASSERT(found != m.rt.globals.end());
    VESK_ASSERT(m.rt.uncached.find(name) == m.rt.uncached.end());
    Term* stored = written_form(m, v);
    if (binder_shape(v) == BinderShape::lambda) {
        Term* bi =
            owned_pair(annotated_leaf(m.rt, CommonLeaf::B), annotated_leaf(m.rt, CommonLeaf::I));
        stored = owned_pair(bi, stored);
    }
    found->second = TermRef(stored);
    set_focus(m, stored);
}

// ] e a = ] e                        an applied error value stays the error
// ]name a b = ]name                  and so does an applied missing name
// Either way the run ends with it.
void contract_error(Machine& m, const Spine& s) {
    Term* error = s.head;
    if (is_byte_leaf(s.head, ']') && s.count >= 1) {
        error = m.focus;  // walk up to the innermost application (] e)
        for (int i = 1; i < s.count; ++i) error = left_cell(error);
    }
    end_with(m, retained(error));
}

// A constant (no leading lambdas): its cached value, or its definition d to
// be evaluated once.
//   name = ")"name                   d is the in-progress marker: a cycle
//   name = d                         d a value, or name uncached
//   name = )name d                   otherwise; the marker ")" is stored
//                                    until the definer stores d's value
void contract_constant(Machine& m, const Spine& s, const NameEntry& entry) {
    Term* d = entry.definition->cell;
    if (in_progress(d)) {
        end_with(m, prefixed_leaf(m, ')', leaf_view(s.head)));
        return;
    }
    Term* v = standing_value(m.rt.globals, d);
    if (m.rt.trail != nullptr && v == nullptr) [[unlikely]] trail_global_call(m, s.head);
    if (v != nullptr || entry.uncached) {
        set_focus(m, retained(d));
        return;
    }
    Term* definer = prefixed_leaf(m, ')', leaf_view(s.head));
    Term* body = retained(d);
    *entry.definition = TermRef(")");
    set_focus(m, owned_pair(definer, body));
}

// name a1 .. an = v                  v the value of name's integer code on
//                                    the arguments (integer_body.hpp)
// True when the focus became v; false when the plan has no code, the head
// is linear (its arguments may not be values) or the arguments are not
// small integers. `plan` is read again: compiling can make plans.
bool ran_as_code(Machine& m, const GlobalPlan*& plan, const Spine& s) {
    if (plan->code.state == CodeState::none || !engine_integer_bodies || !m.names.plan_heads ||
        is_linear_byte(first_byte(s.head))) {
        return false;
    }
    auto index = static_cast<std::size_t>(plan - m.names.plans.data());
    Term* v = run_integer_body(m, index, s);
    plan = &m.names.plans[index];
    if (v == nullptr) return false;
    set_focus(m, v);
    return true;
}

// name a1 .. an = body[x1 := a1, .., xn := an] for name = \ x1 .. \ xn body.
// All letters are replaced in one pass; a letter bound twice takes the
// argument of its innermost lambda, as substituting the last letter with the
// last argument first would. The walk is recorded once per definition.
void contract_global(Machine& m, const Spine& s, NameEntry& entry) {
    const GlobalPlan* plan = global_plan(m.names, entry);
    if (plan == nullptr) {
        VESK_ASSERT(s.count == 0);
        contract_constant(m, s, entry);
        return;
    }
    VESK_ASSERT(plan->letters.size() == static_cast<std::size_t>(s.count));
    if (m.rt.trail != nullptr) [[unlikely]] trail_global_call(m, s.head);
    if (ran_as_code(m, plan, s)) return;
    Term* values[26];  // only the plan's letters are read
    for (int i = 0; i < s.count; ++i) values[plan->letters[i] - 'a'] = s.arg[i];
    // A machine that may take several transitions in one step meets the
    // body's head spine on its frames (substitute.hpp).
    bool onto = engine_unbuilt_spine && m.names.plan_heads;
    set_focus(m, onto ? run_plan_onto(plan->body, values, m.frames, true)
                      : run_plan(plan->body, values));
}

// L c1 .. cm a1 .. ak = e[f1 := c1, .., yk := ak], L a lifted binder's
// function (lift.hpp): its body replayed with every letter put in at once.
// With `onto`, the body's head spine is left unbuilt on the frames.
void contract_lifted(Machine& m, LiftedFunction& f, const Spine& s, bool onto) {
    Term* values[26];  // only the function's letters are read
    for (int i = 0; i < s.count; ++i) values[f.letters[static_cast<std::size_t>(i)] - 'a'] = s.arg[i];
    const SubstitutionPlan& plan = lifted_plan(m.names, f);  // f may move
    set_focus(m, onto ? run_plan_onto(plan, values, m.frames, true) : run_plan(plan, values));
}

// A name that is neither a built-in nor a global ends the run with the
// missing-name leaf "]"name.
void contract_name(Machine& m, const Spine& s) {
    if (LiftedFunction* f = find_lifted(m.names.lifted, s.head)) {
        VESK_ASSERT(f->letters.size() == static_cast<std::size_t>(s.count));  // its arity
        contract_lifted(m, *f, s, engine_unbuilt_spine);
        return;
    }
    NameEntry* entry = find_name(m.names, s.head);
    if (entry == nullptr) {
        end_with(m, prefixed_leaf(m, ']', leaf_view(s.head)));
    } else if (entry->kind == NameKind::builtin) {
        Term* r = run_builtin(m, *entry->row, s);
        if (ends_run(r)) {
            end_with(m, r);
        } else {
            set_focus(m, r);
        }
    } else {
        contract_global(m, s, *entry);
    }
}

}  // namespace

Unbuilt contract_unbuilt(Machine& m, const Spine& s) {
    Term* h = s.head;
    if (!is_leaf_cell(h)) return Unbuilt::refused;
    if (is_byte_leaf(h, '\\')) {
        if (s.count != 3) return Unbuilt::refused;
        contract_lambda(m, s);
        return Unbuilt::contracted;
    }
    if (!is_name_head(h)) return Unbuilt::refused;
    if (LiftedFunction* f = find_lifted(m.names.lifted, h)) {
        if (f->letters.size() != static_cast<std::size_t>(s.count)) return Unbuilt::refused;
        contract_lifted(m, *f, s, engine_unbuilt_spine);
        return Unbuilt::contracted;
    }
    NameEntry* entry = find_name(m.names, h);
    if (entry == nullptr) return Unbuilt::refused;
    if (entry->kind == NameKind::builtin) {
        Term* r = run_builtin(m, *entry->row, s);
        if (ends_run(r)) {
            end_with(m, r);
            return Unbuilt::ended;
        }
        set_focus(m, r);
        return Unbuilt::contracted;
    }
    const GlobalPlan* plan = global_plan(m.names, *entry);
    if (plan == nullptr || plan->letters.size() != static_cast<std::size_t>(s.count)) {
        return Unbuilt::refused;
    }
    if (m.rt.trail != nullptr) [[unlikely]] trail_global_call(m, s.head);
    if (ran_as_code(m, plan, s)) return Unbuilt::contracted;
    Term* values[26];
    for (int i = 0; i < s.count; ++i) values[plan->letters[i] - 'a'] = s.arg[i];
    set_focus(m, engine_unbuilt_spine
                     ? run_plan_onto(plan->body, values, m.frames, m.names.plan_heads)
                     : run_plan(plan->body, values));
    return Unbuilt::contracted;
}

// name = v                          name a constant whose definition is a
//                                    value already, uncached or not
// The operator names of the prelude are such constants (+ = plus), and the
// machine meets them in head position on almost every call.
bool contract_alias(Machine& m) {
    Term* h = m.focus;
    if (!is_name_head(h)) return false;
    NameEntry* entry = find_name(m.names, h);
    if (entry == nullptr || entry->kind != NameKind::global) return false;
    Term* d = standing_value(m.rt.globals, entry->definition->cell);
    if (d == nullptr || global_plan(m.names, *entry) != nullptr) return false;
    set_focus(m, retained(d));
    return true;
}

// Dispatch on the head. Built-in names are lower-case names, so no leaf that
// the literal and binder rules claim below can be one: looking the name up
// last is the same as looking it up first.
void contract_focus(Machine& m) {
    Term* f = m.focus;
    ensure_annotated(m.rt.globals, f);
    VESK_ASSERT(annotated_variables(f) == 0);
    VESK_ASSERT(!is_data_cell(f) && stored_arity(f) == 0);
    Spine s = open_spine(f);
    if (!is_leaf_cell(s.head)) {
        contract_data(m, s);  // a data pair heads the spine
        return;
    }
    switch (leaf_kind(s.head)) {
        case LeafKind::number: return contract_number(m, s);
        case LeafKind::bracket: return contract_data(m, s);
        case LeafKind::counted: return contract_counted(m, s);
        case LeafKind::raw: return contract_raw(m, s);
        case LeafKind::name: break;
    }
    switch (first_byte(s.head)) {
        case '{':
            if (is_byte_leaf(s.head, '{')) return contract_let(m, s);
            break;
        case '\\':
            if (is_byte_leaf(s.head, '\\')) return contract_lambda(m, s);
            break;
        case ')': return contract_definer(m, s);
        case ']': return contract_error(m, s);
        default: break;
    }
    contract_name(m, s);
}

}  // namespace vesk
