#include "engine/lift.hpp"

#include <bit>
#include <string>

#include "engine/build.hpp"
#include "engine/name_cache.hpp"
#include "engine/plan_choice.hpp"
#include "engine/plan_heads.hpp"
#include "engine/shape.hpp"

namespace vesk {

namespace {

// A closure's function takes its captured values and its parameters in one
// spine, and an arity of 11 means "never saturated" to the machine.
constexpr int kMostArguments = 10;

bool is_letter(unsigned char c) {
    return c >= 'a' && c <= 'z';
}

// One rewrite of a body. `done` maps each cell met to an owner of its
// rewritten form (the cell itself when nothing in it changed); `variable`
// keeps a variable leaf of each letter met, borrowed from the body, for
// the closures to apply their heads to.
struct LiftWalk {
    NameCache& cache;
    std::unordered_map<Term*, Term*> done;
    Term* variable[26] = {};
};

// The cell after its rewrite (borrowed from the walk).
Term* rewritten(LiftWalk& w, Term* c) {
    return w.done.at(c);
}

// The letters of a variable set, ascending.
std::vector<unsigned char> letters_of(std::uint32_t set) {
    std::vector<unsigned char> out;
    for (; set != 0; set &= set - 1) {
        out.push_back(static_cast<unsigned char>('a' + std::countr_zero(set)));
    }
    return out;
}

// A new function of the store: its head leaf, and the closure that applies
// it to the captured letters' variable leaves. Returns the closure.
Term* add_function(LiftWalk& w, Term* original, bool let, std::uint32_t captured,
                   const std::vector<unsigned char>& parameters, Term* body) {
    LiftedStore& store = w.cache.lifted;
    std::size_t index = store.functions.size();
    std::vector<unsigned char> letters = letters_of(captured);
    int m = static_cast<int>(letters.size());
    letters.insert(letters.end(), parameters.begin(), parameters.end());
    Term* leaf = retained(make_leaf(std::string(1, kLiftedByte) + std::to_string(index)));
    set_arity(leaf, static_cast<int>(letters.size()));
    leaf->header |= header::kLifted;
    Term* closure = retained(leaf);
    for (int i = 0; i < m; ++i) {
        Term* v = w.variable[letters[static_cast<std::size_t>(i)] - 'a'];
        VESK_ASSERT(v != nullptr);  // every free letter occurs in the body
        closure = owned_pair(closure, retained(v));
    }
    store.functions.push_back({leaf, TermRef(original), let, m, std::move(letters),
                               TermRef::adopt(retained(closure)), TermRef(body), std::nullopt});
    store.by_original.emplace(original, index);
    return closure;
}

// The innermost body of the lambda chain c (borrowed).
Term* chain_body(Term* c) {
    while (binder_shape(c) == BinderShape::lambda) c = right_cell(c);
    return c;
}

// The lambda chain c as written, over its rewritten innermost body.
Term* rebuild_chain(LiftWalk& w, Term* c) {
    Term* e = chain_body(c);
    Term* body = rewritten(w, e);
    if (body == e) return retained(c);
    std::vector<Term*> chain;  // the chain's lambdas, outermost first
    for (Term* t = c; t != e; t = right_cell(t)) chain.push_back(t);
    Term* t = retained(body);
    for (std::size_t i = chain.size(); i > 0; --i) {
        t = owned_pair(retained(left_cell(chain[i - 1])), t);
    }
    return t;
}

// The lambda chain c = y1\..\yk\e whose e is rewritten already: its closure,
// or the chain as written when it cannot be lifted.
Term* finish_lambda(LiftWalk& w, Term* c) {
    std::vector<unsigned char> parameters;
    Term* e = c;
    bool letters_only = true;
    for (; binder_shape(e) == BinderShape::lambda; e = right_cell(e)) {
        Term* y = right_cell(left_cell(e));
        letters_only = letters_only && is_leaf_cell(y) && leaf_length(y) == 1 && is_letter(first_byte(y));
        parameters.push_back(first_byte(y));
    }
    std::uint32_t captured = annotated_variables(c);
    int arguments = std::popcount(captured) + static_cast<int>(parameters.size());
    if (!letters_only || arguments > kMostArguments) return rebuild_chain(w, c);
    return add_function(w, c, false, captured, parameters, rewritten(w, e));
}

// The let c = {x v e} whose v and e are rewritten already.
Term* finish_let(LiftWalk& w, Term* c) {
    Term* head = left_cell(left_cell(c));  // ({ x)
    Term* x = right_cell(head);
    Term* v = rewritten(w, right_cell(left_cell(c)));
    Term* e = rewritten(w, right_cell(c));
    unsigned char letter = first_byte(x);
    bool simple = is_leaf_cell(x) && leaf_length(x) == 1 && is_letter(letter);
    if (simple) {
        std::uint32_t captured = annotated_variables(right_cell(c)) & ~letter_bit(letter);
        if (std::popcount(captured) + 1 <= kMostArguments) {
            Term* closure = add_function(w, c, true, captured, {letter}, e);
            return owned_pair(closure, retained(v));
        }
    }
    if (v == right_cell(left_cell(c)) && e == right_cell(c)) return retained(c);
    return owned_pair(owned_pair(retained(head), retained(v)), retained(e));
}

// Any other pair whose children are rewritten already. A lambda applied
// where it is written stays a lambda: its closure would be a value where
// the redex is not, and a closure is only ever applied by the machine.
Term* finish_pair(LiftWalk& w, Term* c) {
    bool redex = binder_shape(left_cell(c)) == BinderShape::lambda;
    Term* l = redex ? rebuild_chain(w, left_cell(c)) : retained(rewritten(w, left_cell(c)));
    Term* r = rewritten(w, right_cell(c));
    if (l == left_cell(c) && r == right_cell(c)) {
        release(l);
        return retained(c);
    }
    return owned_pair(l, retained(r));
}

// A cell with nothing to rewrite inside: a leaf or data. A variable leaf is
// remembered for the closures.
void finish_leaf_slot(LiftWalk& w, Term* c) {
    std::uint32_t vars = annotated_variables(c);
    if (is_leaf_cell(c) && std::popcount(vars) == 1) {
        Term*& slot = w.variable[std::countr_zero(vars)];
        if (slot == nullptr) slot = c;
    }
}
void finish_leaf(LiftWalk& w, Term* c) {
    finish_leaf_slot(w, c);
    w.done.emplace(c, retained(c));
}

// The variable leaves a closure made earlier applies its head to.
void remember_leaves(LiftWalk& w, const LiftedFunction& f) {
    for (Term* t = f.closure.cell; !is_leaf_cell(t); t = left_cell(t)) finish_leaf_slot(w, right_cell(t));
}

// The parts of c that are not rewritten yet, pushed; false when there are none.
bool push_missing(LiftWalk& w, std::vector<Term*>& todo, Term* c) {
    Term* parts[2];
    int count = 0;
    auto known = w.cache.lifted.by_original.find(c);
    if (known != w.cache.lifted.by_original.end()) {
        // lifted while an earlier plan was made: only a let's value is new
        if (w.cache.lifted.functions[known->second].let) parts[count++] = right_cell(left_cell(c));
    } else {
        switch (binder_shape(c)) {
            case BinderShape::lambda: parts[count++] = chain_body(c); break;
            case BinderShape::let:
                parts[count++] = right_cell(left_cell(c));
                parts[count++] = right_cell(c);
                break;
            case BinderShape::other: {
                // a lambda applied where it is written: only its body
                bool redex = binder_shape(left_cell(c)) == BinderShape::lambda;
                parts[count++] = redex ? chain_body(left_cell(c)) : left_cell(c);
                parts[count++] = right_cell(c);
                break;
            }
        }
    }
    bool missing = false;
    for (int i = 0; i < count; ++i) {
        if (w.done.find(parts[i]) == w.done.end()) {
            todo.push_back(parts[i]);
            missing = true;
        }
    }
    return missing;
}

// The rewrite of c, whose parts are done.
Term* finish(LiftWalk& w, Term* c) {
    auto known = w.cache.lifted.by_original.find(c);
    if (known != w.cache.lifted.by_original.end()) {
        const LiftedFunction& f = w.cache.lifted.functions[known->second];
        remember_leaves(w, f);
        Term* closure = retained(f.closure.cell);
        if (!f.let) return closure;
        return owned_pair(closure, retained(rewritten(w, right_cell(left_cell(c)))));
    }
    switch (binder_shape(c)) {
        case BinderShape::lambda: return finish_lambda(w, c);
        case BinderShape::let: return finish_let(w, c);
        case BinderShape::other: break;
    }
    return finish_pair(w, c);
}

}  // namespace

LiftedStore::~LiftedStore() {
    for (LiftedFunction& f : functions) release(f.leaf);
}

// Children first, on an explicit stack: a cell stays on it until every
// part its rewrite needs is done.
TermRef lift_binders(NameCache& cache, Term* body) {
    LiftWalk w{cache, {}, {}};
    std::vector<Term*> todo{body};
    while (!todo.empty()) {
        Term* c = todo.back();
        if (w.done.find(c) != w.done.end()) {
            todo.pop_back();
        } else if (is_leaf_cell(c) || is_data_cell(c)) {
            finish_leaf(w, c);
            todo.pop_back();
        } else if (!push_missing(w, todo, c)) {
            todo.pop_back();
            w.done.emplace(c, finish(w, c));
        }
    }
    TermRef result(rewritten(w, body));
    for (auto& [cell, out] : w.done) release(out);
    return result;
}

LiftedFunction* find_lifted(LiftedStore& store, const Term* leaf) {
    if (!is_leaf_cell(leaf) || first_byte(leaf) != static_cast<unsigned char>(kLiftedByte)) {
        return nullptr;
    }
    std::size_t index = 0;
    std::string_view digits = leaf_view(leaf).substr(1);
    if (digits.empty() || digits.size() > 9) return nullptr;
    for (char d : digits) {
        if (d < '0' || d > '9') return nullptr;
        index = index * 10 + static_cast<std::size_t>(d - '0');
    }
    if (index >= store.functions.size() || store.functions[index].leaf != leaf) return nullptr;
    return &store.functions[index];
}

// Making the plan may look names up and lift other bodies, which can move
// the store's functions: f is found again by its leaf.
const SubstitutionPlan& lifted_plan(NameCache& cache, LiftedFunction& f) {
    if (f.plan) return *f.plan;
    Term* leaf = f.leaf;
    TermRef body = f.body;
    std::uint32_t letters = 0;
    for (unsigned char x : f.letters) letters |= letter_bit(x);
    if (cache.plan_heads && engine_plan_heads) body = contract_plan_head(cache, body);
    // a closure's values are captured values and arguments of its own
    // head, which reduces them: values all
    SubstitutionPlan plan = make_plan(cache.rt.globals, std::move(body), letters, true);
    attach_choices(cache, plan, letters);
    LiftedFunction* again = find_lifted(cache.lifted, leaf);
    again->plan = std::move(plan);
    return *again->plan;
}

void forget_lifted_plans(LiftedStore& store) {
    for (LiftedFunction& f : store.functions) f.plan.reset();
}

}  // namespace vesk
