#include "engine/substitute.hpp"

#include "engine/annotate.hpp"
#include "engine/build.hpp"
#include "engine/integer_body.hpp"
#include "engine/shape.hpp"

namespace vesk {

namespace {

// A cell to visit with the letters replaced inside it, or (term null) the
// instruction to pair the two results on top.
struct Visit {
    Term* term;
    std::uint32_t mask;
};

// A plain growable stack with an inline push, reused from call to call:
// substitution never re-enters itself, and the process has one thread.
template <typename T>
struct Stack {
    std::vector<T> items;
    std::size_t size = 0;

    void push(T v) {
        if (size == items.size()) [[unlikely]]
            items.resize(items.empty() ? 256 : items.size() * 2);
        items[size++] = v;
    }
    T pop() { return items[--size]; }
};

constinit Stack<Visit> visit_stack;
constinit Stack<Term*> result_stack;
// A plan's results, reused from call to call; grown to the deepest plan run.
constinit std::vector<Term*> plan_stack;

Stack<Visit>& visits() {
    return visit_stack;
}
Stack<Term*>& results() {
    return result_stack;
}

std::size_t plan_depth(const std::vector<PlanStep>& steps) {
    std::size_t depth = 0, most = 0;
    for (const PlanStep& step : steps) {
        if (step.kind == PlanStep::pair) {
            if ((step.header & (kUnbuiltSpine | kUnbuiltWhole)) == 0) --depth;  // unbuilt: both stay
        } else if (++depth > most) {
            most = depth;
        }
    }
    return most;
}

// Walks t in postorder and tells `out` what to build: share(cell),
// value(letter) or pair(). A lambda keeps its binder (\ y) and walks its
// body without y; a let keeps ({ y), walks the bound value with every letter
// and the body without y; any other pair walks both sides.
template <typename Out>
void walk(Term* t, std::uint32_t letters, Out& out) {
    Stack<Visit>& todo = visits();
    std::size_t base = todo.size;
    todo.push({t, letters});
    while (todo.size > base) {
        Visit v = todo.pop();
        Term* c = v.term;
        if (c == nullptr) {
            out.pair();
            continue;
        }
        std::uint32_t hit = annotated_variables(c) & v.mask;
        if (hit == 0) {
            out.share(c);
            continue;
        }
        if (is_leaf_cell(c)) {
            // Only a variable leaf has variables: c is one of the letters.
            unsigned char letter = first_byte(c);
            VESK_ASSERT(letter >= 'a' && letter <= 'z' && hit == letter_bit(letter));
            out.value(static_cast<std::uint32_t>(letter - 'a'));
            continue;
        }
        Term* l = left_cell(c);
        Term* r = right_cell(c);
        todo.push({nullptr, 0});
        switch (binder_shape(c)) {
            case BinderShape::lambda:
                todo.push({r, v.mask & ~annotated_variables(right_cell(l))});
                todo.push({l, 0});
                break;
            case BinderShape::let: {
                Term* binder = left_cell(l);  // ({ y)
                todo.push({r, v.mask & ~annotated_variables(right_cell(binder))});
                todo.push({nullptr, 0});
                todo.push({right_cell(l), v.mask});
                todo.push({binder, 0});
                break;
            }
            case BinderShape::other:
                todo.push({r, v.mask});
                todo.push({l, v.mask});
                break;
        }
    }
}

// Builds the cells at once.
struct Builder {
    Term* const* values;
    Stack<Term*>& stack;

    void share(Term* c) { stack.push(retained(c)); }
    void value(std::uint32_t letter) { stack.push(retained(values[letter])); }
    void pair() {
        Term* r = stack.pop();
        Term* l = stack.pop();
        stack.push(owned_pair(l, r));
    }
};

// Writes the instructions down.
struct Recorder {
    std::vector<PlanStep>& steps;

    void share(Term* c) { steps.push_back({PlanStep::share, 0, c, 0}); }
    void value(std::uint32_t letter) { steps.push_back({PlanStep::value, letter, nullptr, 0}); }
    void pair() { steps.push_back({PlanStep::pair, 0, nullptr, 0}); }
};

// A result of a trial run: the cell built, and whether its annotation is
// known whatever the values are (`fixed`) or the cell is a value (`slot`).
struct Trial {
    Term* cell;
    bool fixed;
    bool slot;
};

// Runs the plan once with a stand-in value of the common kind (a closed,
// non-data value: a number leaf) and keeps the header of every pair whose
// annotation the values cannot change. Building real cells lets
// annotate_pair decide, so the two ways of annotating cannot drift apart.
// That holds only for values that are values: a linear head's arguments
// are taken as they stand, and one still pending makes its pair pending,
// so without `values_reduced` no pair over a value is fixed.
void fix_headers(const GlobalTable& globals, std::vector<PlanStep>& steps, bool values_reduced) {
    TermRef stand_in("0");
    annotate(globals, stand_in.cell);
    std::vector<Trial> stack;
    for (PlanStep& step : steps) {
        switch (step.kind) {
            case PlanStep::share: stack.push_back({retained(step.cell), true, false}); break;
            case PlanStep::value: stack.push_back({retained(stand_in.cell), false, true}); break;
            case PlanStep::pair: {
                Trial r = stack.back();
                stack.pop_back();
                Trial l = stack.back();
                stack.pop_back();
                bool fixed = l.fixed && (r.slot ? values_reduced && !is_data_cell(l.cell) : r.fixed);
                Term* p = owned_pair(l.cell, r.cell);
                if (fixed) step.header = p->header & ~header::kRefsMask;
                stack.push_back({p, fixed, false});
                break;
            }
        }
    }
    for (Trial& t : stack) release(t.cell);
}

// Marks the spine pairs a machine would descend through in one step: from
// the last step (the whole body) down the left sides, while the pair's
// header is known and its arity negative. start[i] is the first step of
// the subterm that step i ends.
void mark_unbuilt_spine(std::vector<PlanStep>& steps) {
    std::vector<std::size_t> start(steps.size());
    std::vector<std::size_t> open;  // steps ending the subterms not yet paired
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].kind == PlanStep::pair) {
            open.pop_back();
            start[i] = start[open.back()];
            open.back() = i;
        } else {
            start[i] = i;
            open.push_back(i);
        }
    }
    std::size_t i = steps.size() - 1;
    while (steps[i].kind == PlanStep::pair && steps[i].header != 0) {
        Term probe{steps[i].header};
        if (is_data_cell(&probe) || stored_arity(&probe) >= 0) break;
        steps[i].header |= kUnbuiltSpine;
        std::size_t right_end = i - 1;
        i = start[right_end] - 1;  // the left side ends just before the right begins
    }
    // The rest of the spine, down to its head, for a machine that may take
    // several transitions in one step: its head meets the arguments on the
    // frames as it would meet the built pairs, one argument after another,
    // reducing each first where its rules say so. Not under a binder's
    // leaf, whose pairs are forms the machine takes whole.
    std::vector<std::size_t> rest;
    for (; steps[i].kind == PlanStep::pair; i = start[i - 1] - 1) rest.push_back(i);
    const PlanStep& head = steps[i];
    bool binder = head.kind == PlanStep::share &&
                  (is_byte_leaf(head.cell, '\\') || is_byte_leaf(head.cell, '{'));
    if (binder) return;
    for (std::size_t k : rest) steps[k].header |= kUnbuiltWhole;
}

}  // namespace

Term* substitute_cells(const GlobalTable& globals, Term* t, const Substitution& s) {
    ensure_annotated(globals, t);
    if ((annotated_variables(t) & s.letters) == 0) return retained(t);
    Stack<Term*>& stack = results();
    std::size_t base = stack.size;
    Builder out{s.values, stack};
    walk(t, s.letters, out);
    VESK_ASSERT(stack.size == base + 1);
    return stack.pop();
}

TermRef substitute(const GlobalTable& globals, TermRef t, const TermRef& v, char x) {
    VESK_ASSERT(x >= 'a' && x <= 'z');
    annotate(globals, v.cell);
    Substitution s;
    s.letters = letter_bit(static_cast<unsigned char>(x));
    s.values[x - 'a'] = v.cell;
    return TermRef::adopt(substitute_cells(globals, t.cell, s));
}

SubstitutionPlan make_plan(const GlobalTable& globals, TermRef body, std::uint32_t letters,
                           bool values_reduced) {
    annotate(globals, body.cell);
    SubstitutionPlan plan{std::move(body), {}, 0, nullptr};
    Recorder out{plan.steps};
    walk(plan.body.cell, letters, out);
    fix_headers(globals, plan.steps, values_reduced);
    mark_unbuilt_spine(plan.steps);
    plan.depth = plan_depth(plan.steps);
    return plan;
}

namespace {

// Replaying never re-enters itself (it calls nothing that runs a plan), so
// its results live on one stack sized for the plan before the loop starts.
// With `leave_spine` the marked spine pairs are not built: both of their
// sides stay on the stack. Returns the stack's top.
template <bool leave_spine, bool leave_whole>
Term** replay(const SubstitutionPlan& plan, Term* const* values) {
    if (plan_stack.size() < plan.depth) plan_stack.resize(plan.depth);
    Term** top = plan_stack.data();
    for (const PlanStep& step : plan.steps) {
        switch (step.kind) {
            case PlanStep::share: *top++ = retained(step.cell); break;
            case PlanStep::value: *top++ = retained(values[step.letter]); break;
            case PlanStep::pair: {
                if (leave_spine && (step.header & kUnbuiltSpine) != 0) break;
                if (leave_whole && (step.header & kUnbuiltWhole) != 0) break;
                Term* r = *--top;
                Term* l = *--top;
                std::uint64_t known = step.header & ~(kUnbuiltSpine | kUnbuiltWhole);
                if (known != 0) {
                    Term* p = make_pair_cell(l, r);
                    // one owner, the stack; a lifted closure among the
                    // values makes the pair hold one too
                    p->header = known | 1 | ((l->header | r->header) & header::kLifted);
                    *top++ = p;
                } else {
                    *top++ = owned_pair(l, r);
                }
                break;
            }
        }
    }
    return top;
}

// The plan of the branch the values choose, as far as the choices go.
const SubstitutionPlan& chosen(const SubstitutionPlan& plan, Term* const* values) {
    const SubstitutionPlan* p = &plan;
    while (p->choice != nullptr && engine_plan_choices) {
        std::optional<std::int64_t> truth = run_flat_code(p->choice->test, values);
        if (!truth) break;
        p = *truth != 0 ? &p->choice->yes : &p->choice->no;
    }
    return *p;
}

}  // namespace

Term* run_plan(const SubstitutionPlan& whole, Term* const* values) {
    const SubstitutionPlan& plan = chosen(whole, values);
    Term** top = replay<false, false>(plan, values);
    VESK_ASSERT(top == plan_stack.data() + 1);
    return plan_stack[0];
}

Term* run_plan_onto(const SubstitutionPlan& whole, Term* const* values,
                    std::vector<std::uintptr_t>& frames, bool all_of_spine) {
    const SubstitutionPlan& plan = chosen(whole, values);
    Term** top = all_of_spine ? replay<true, true>(plan, values) : replay<true, false>(plan, values);
    Term** bottom = plan_stack.data();
    // bottom[0] is the head part, bottom[1..] the unbuilt right sides,
    // innermost first; the innermost must end on top.
    for (Term** arg = top - 1; arg > bottom; --arg) {
        frames.push_back(reinterpret_cast<std::uintptr_t>(*arg) | 1);  // an argument frame
    }
    return *bottom;
}

}  // namespace vesk
