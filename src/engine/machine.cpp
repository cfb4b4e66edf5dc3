#include "engine/machine.hpp"

#include "engine/contract.hpp"
#include "engine/leaves.hpp"
#include "engine/machine_state.hpp"
#include "engine/reify.hpp"
#include "engine/run_budget.hpp"

namespace vesk {

Machine::~Machine() {
    clear_frames(*this);
    if (focus != nullptr) release(focus);
}

void clear_frames(Machine& m) {
    for (Frame f : m.frames) release(frame_term(f));
    m.frames.clear();
}

namespace {

// The focus (L R) gives way to L; R waits in an argument frame.
void descend_left(Machine& m) {
    Term *l, *r;
    unpair(m.focus, l, r);
    m.frames.push_back(argument_frame(r));
    m.focus = l;
}

// The focus (L R) gives way to R; L waits in a return frame.
void descend_right(Machine& m) {
    Term *l, *r;
    unpair(m.focus, l, r);
    m.frames.push_back(return_frame(l));
    m.focus = r;
}

// The value in focus meets the top frame.
void pop_frame(Machine& m) {
    Frame top = m.frames.back();
    m.frames.pop_back();
    Term* t = frame_term(top);
    m.focus = is_argument_frame(top) ? owned_pair(m.focus, t) : owned_pair(t, m.focus);
}

// Whether (v x) would be, or begin, a binder form, which the machine takes
// whole: v is the leaf \ or {, the lambda head (\ y), or one of the let
// heads ({ y) and (({ y) w).
bool heads_binder(const Term* v) {
    const Term* h = v;
    if (!is_leaf_cell(h)) h = left_cell(h);
    if (!is_leaf_cell(h)) h = left_cell(h);
    if (!is_leaf_cell(h)) return false;
    unsigned char c = first_byte(h);
    return c == '\\' || c == '{';
}

// The value v in focus meets an argument frame x that is not a value yet.
// Popping the frame would build (v x) only for the next step to take it
// apart again: v waits in a return frame while x is reduced, since v is
// not pending and no linear head takes x as it stands. That is done here
// at once. Not for data, nor where (v x) is a binder form: a lambda is a
// value, and a let binds before its body is reduced. False (nothing done)
// otherwise.
bool descend_into_argument(Machine& m) {
    Frame top = m.frames.back();
    Term* v = m.focus;
    if (!is_argument_frame(top) || is_data_cell(v) || annotated_value(frame_term(top))) {
        return false;
    }
    if (heads_binder(v) || has_linear_head(v)) return false;
    m.frames.back() = return_frame(v);
    m.focus = frame_term(top);
    return true;
}

// The value in focus and the frames on top may make a redex that the rules
// would contract as soon as it was built: a return frame g of arity 1
// (g v), or n argument frames under a value f of arity n (f x1 .. xn), whose
// arguments are values unless f's head is linear. Popping the frames one at
// a time would build that redex over several steps and then contract it;
// here it is contracted in this step. A global function or a lambda is
// unfolded, and a built-in's handler called, without building the redex's
// spine at all; any other head gets its redex built at once and contracted.
// False when no such redex is there.
//
// The frames are taken off the stack before the contraction, their owners
// held in `taken` until it is done, and put back when it is refused.
bool apply_unbuilt(Machine& m) {
    Term* f = m.focus;
    Frame top = m.frames.back();
    if (!is_argument_frame(top)) {
        Term* g = frame_term(top);
        if (is_data_cell(g) || stored_arity(g) != 1) return false;
        Spine s = open_spine(g);
        if (s.count >= kMaxArguments) return false;
        if (refs_of(f) == 1) s.sole |= static_cast<std::uint16_t>(1u << s.count);
        s.arg[s.count++] = f;
        m.frames.pop_back();
        switch (contract_unbuilt(m, s)) {
            case Unbuilt::contracted:
            case Unbuilt::ended: release(g); break;
            case Unbuilt::refused:
                m.frames.push_back(top);
                pop_frame(m);
                contract_focus(m);
                break;
        }
        return true;
    }
    if (is_data_cell(f)) return false;
    std::size_t n = static_cast<std::size_t>(stored_arity(f));
    // An arity of 11 never falls: such a term is never saturated.
    if (n >= 11 || n > m.frames.size()) return false;
    Spine s = open_spine(f);
    if (s.count + n > kMaxArguments) return false;
    bool linear = is_leaf_cell(s.head) && is_linear_byte(first_byte(s.head));
    for (std::size_t i = 1; i <= n; ++i) {
        Frame x = m.frames[m.frames.size() - i];
        if (!is_argument_frame(x)) return false;
        if (!linear && !annotated_value(frame_term(x))) return false;
        if (refs_of(frame_term(x)) == 1) s.sole |= static_cast<std::uint16_t>(1u << s.count);
        s.arg[s.count++] = frame_term(x);
    }
    Frame taken[kMaxArguments];
    for (std::size_t i = 0; i < n; ++i) {
        taken[i] = m.frames.back();
        m.frames.pop_back();
    }
    switch (contract_unbuilt(m, s)) {
        case Unbuilt::contracted:
        case Unbuilt::ended:
            for (std::size_t i = 0; i < n; ++i) release(frame_term(taken[i]));
            break;
        case Unbuilt::refused:
            for (std::size_t i = n; i > 0; --i) m.frames.push_back(taken[i - 1]);
            for (std::size_t i = 0; i < n; ++i) pop_frame(m);
            contract_focus(m);
            break;
    }
    return true;
}

// A value in focus meets the top frame, however it can.
void meet_frame(Machine& m) {
    if (apply_unbuilt(m)) return;
    if (engine_argument_shortcut && m.argument_shortcut && descend_into_argument(m)) return;
    pop_frame(m);
}

// A partial application with a linear head takes its missing n arguments
// straight from the argument frames on top of the stack, unreduced. False
// (and nothing taken) when fewer than n argument frames are on top.
bool take_arguments(Machine& m, int n) {
    std::size_t count = static_cast<std::size_t>(n);
    if (m.frames.size() < count) return false;
    for (std::size_t i = 1; i <= count; ++i) {
        if (!is_argument_frame(m.frames[m.frames.size() - i])) return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        Term* x = frame_term(m.frames.back());
        m.frames.pop_back();
        m.focus = owned_pair(m.focus, x);
    }
    return true;
}

// The let ((({ x) v) body) whose v is not a value: reduce v, then apply the
// lambda ((\ x) body) to it.
void descend_let(Machine& m) {
    Term* f = m.focus;
    Term* binder = left_cell(left_cell(f));  // ({ x)
    Term* head = owned_pair(annotated_leaf(m.rt, CommonLeaf::lambda), retained(right_cell(binder)));
    m.frames.push_back(return_frame(owned_pair(head, retained(right_cell(f)))));
    m.focus = retained(right_cell(left_cell(f)));
    release(f);
}

// One transition. False when the machine has finished: no frames left and
// a value in focus.
[[gnu::always_inline]] inline bool step_machine(Machine& m) {
    Term* f = m.focus;
    ensure_annotated(m.rt.globals, f);
    if (annotated_value(f)) {
        if (m.frames.empty()) return false;
        ++engine_step_count;
        meet_frame(m);
        return true;
    }
    ++engine_step_count;
    int n = stored_arity(f);  // not data: data is a value
    if (n < 0) {
        // More arguments than the head takes: L first, and its own L first
        // while it still has too many (one step each, taken together).
        do {
            descend_left(m);
        } while (stored_arity(m.focus) < 0 && !is_data_cell(m.focus));
    } else if (n == 0) {
        if (is_leaf_cell(f) && engine_alias_shortcut && contract_alias(m)) {
            // the value it stands for meets the frames in this step too
            if (!m.frames.empty()) meet_frame(m);
        } else if (has_linear_head(f) || !pending_of(f)) {
            contract_focus(m);
        } else if (binder_shape(f) == BinderShape::let) {
            Term* bound = right_cell(left_cell(f));
            if (annotated_value(bound)) {
                contract_focus(m);
            } else {
                descend_let(m);
            }
        } else {
            Term* l = left_cell(f);
            if (is_data_cell(l) || !pending_of(l)) {
                descend_right(m);
            } else {
                descend_left(m);
            }
        }
    } else if (has_linear_head(f) && take_arguments(m, n)) {
        contract_focus(m);
    } else if (annotated_value(left_cell(f))) {
        descend_right(m);
    } else {
        descend_left(m);
    }
    return true;
}

Term* run(Machine& m) {
    while (step_machine(m)) {
#ifdef VESK_RUN_BUDGET
        if (run_budget_spent()) {
            clear_frames(m);
            set_focus(m, leaf_of(m.rt.leaves, CommonLeaf::Z).take());
            break;
        }
#endif
    }
    Term* result = m.focus;
    m.focus = nullptr;
    if (holds_lifted(result)) {
        // the value leaves the machine in its written form
        Term* written = reify_lifted(m.rt.globals, m.names.lifted, result);
        release(result);
        result = written;
    }
    return result;
}

// Unpacks a state term into the machine: the focus, then each frame of the
// continuation chain from the outermost (the top of the stack) inwards.
// Every frame's term is annotated, as the machine's own frames are.
void load_state(Machine& m, TermRef state) {
    VESK_ASSERT(is_pair(state));
    annotate(m.rt.globals, state.cell);
    m.focus = retained(right_cell(state.cell));
    std::vector<Frame> chain;
    Term* k = left_cell(state.cell);
    while (!is_leaf_cell(k)) {
        Term* bk = left_cell(k);
        VESK_ASSERT(!is_leaf_cell(bk));
        VESK_ASSERT(is_byte_leaf(left_cell(bk), 'B') || first_byte(left_cell(bk)) == 'B');
        Term* g = right_cell(k);
        if (!is_leaf_cell(g) && first_byte(left_cell(g)) == 'T') {
            chain.push_back(argument_frame(retained(right_cell(g))));
        } else {
            chain.push_back(return_frame(retained(g)));
        }
        k = right_cell(bk);
    }
    VESK_ASSERT(first_byte(k) == 'I');
    m.frames.assign(chain.rbegin(), chain.rend());
}

// Packs the machine back into a state term, innermost frame last.
TermRef store_state(Machine& m) {
    TermRef k = leaf_of(m.rt.leaves, CommonLeaf::I);
    for (Frame f : m.frames) {
        TermRef t(frame_term(f));
        TermRef g = is_argument_frame(f) ? make_pair(leaf_of(m.rt.leaves, CommonLeaf::T), t) : t;
        k = make_pair(make_pair(leaf_of(m.rt.leaves, CommonLeaf::B), std::move(k)), std::move(g));
    }
    TermRef focus = TermRef::adopt(m.focus);
    m.focus = nullptr;
    return make_pair(std::move(k), std::move(focus));
}

}  // namespace

TermRef evaluate(Runtime& rt, TermRef t) {
    Machine m(rt);
    m.focus = t.take();
    return TermRef::adopt(run(m));
}

TermRef drive(Runtime& rt, TermRef state) {
    Machine m(rt);
    load_state(m, std::move(state));
    return TermRef::adopt(run(m));
}

TermRef step(Runtime& rt, TermRef state) {
    Machine m(rt);
    m.names.plan_heads = false;
    m.argument_shortcut = false;
    load_state(m, std::move(state));
    bool moved = step_machine(m);
    VESK_ASSERT(moved);  // a finished state has no next step
    return store_state(m);
}

TermRef contract(Runtime& rt, TermRef state) {
    Machine m(rt);
    m.names.plan_heads = false;
    m.argument_shortcut = false;
    load_state(m, std::move(state));
    contract_focus(m);
    return store_state(m);
}

}  // namespace vesk
