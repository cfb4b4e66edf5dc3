#include "engine/reify.hpp"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "engine/build.hpp"
#include "engine/shape.hpp"
#include "engine/substitute.hpp"

namespace vesk {

namespace {

struct ReifyWalk {
    const GlobalTable& globals;
    LiftedStore& store;
    std::unordered_map<Term*, Term*> done;  // cell met -> owner of its written form
    std::vector<Term*> arguments;           // scratch: a spine's arguments
};

// The function heading c's application spine, or nullptr.
LiftedFunction* closure_head(ReifyWalk& w, Term* c) {
    return find_lifted(w.store, spine_head(c));
}

// c's arguments along its spine, first argument first, into w.arguments.
void read_arguments(ReifyWalk& w, Term* c) {
    w.arguments.clear();
    for (; !is_leaf_cell(c) && !is_data_cell(c); c = left_cell(c)) {
        w.arguments.push_back(right_cell(c));
    }
    std::reverse(w.arguments.begin(), w.arguments.end());
}

// t (an owner) applied to the written forms of arguments [from, end).
Term* apply_from(ReifyWalk& w, Term* t, std::size_t from) {
    for (std::size_t i = from; i < w.arguments.size(); ++i) {
        t = owned_pair(t, retained(w.done.at(w.arguments[i])));
    }
    return t;
}

// The written form of f's closure over the spine's arguments (all written
// already). A spine too short to hold the captured values (or a let's value)
// is only ever a part of a longer one; it is left as it is.
Term* write_closure(ReifyWalk& w, const LiftedFunction& f, Term* c) {
    read_arguments(w, c);
    std::size_t m = static_cast<std::size_t>(f.captured);
    std::size_t j = w.arguments.size();
    std::size_t k = f.letters.size() - m;
    if (j < m + (f.let ? 1 : 0)) {
        Term* t = retained(f.leaf);
        return apply_from(w, t, 0);
    }
    Substitution sub;
    std::size_t given = f.let ? 0 : std::min(j - m, k);  // parameters put in
    for (std::size_t i = 0; i < m + given; ++i) {
        unsigned char x = f.letters[i];
        sub.letters |= letter_bit(x);
        sub.values[x - 'a'] = w.done.at(w.arguments[i]);  // a later letter wins
    }
    Term* t = f.original.cell;
    if (f.let) {
        // {x v e} = ((({ x) v) e): v is the closure's argument
        Term* head = owned_pair(retained(left_cell(left_cell(t))), retained(w.done.at(w.arguments[m])));
        return apply_from(w, owned_pair(head, substitute_cells(w.globals, right_cell(t), sub)), m + 1);
    }
    for (std::size_t i = 0; i < given; ++i) t = right_cell(t);
    return apply_from(w, substitute_cells(w.globals, t, sub), m + given);
}

// Pushes the parts of c not written yet; false when there are none.
bool push_missing(ReifyWalk& w, std::vector<Term*>& todo, Term* c) {
    bool missing = false;
    auto need = [&](Term* part) {
        if (w.done.find(part) == w.done.end()) {
            todo.push_back(part);
            missing = true;
        }
    };
    if (closure_head(w, c) != nullptr) {
        for (Term* t = c; !is_leaf_cell(t) && !is_data_cell(t); t = left_cell(t)) need(right_cell(t));
    } else {
        need(left_cell(c));
        need(right_cell(c));
    }
    return missing;
}

// The written form of c (a pair or a closure's leaf), its parts done.
Term* write(ReifyWalk& w, Term* c) {
    if (LiftedFunction* f = closure_head(w, c)) return write_closure(w, *f, c);
    if (is_leaf_cell(c)) return retained(c);  // a lifted text no machine made
    Term* l = w.done.at(left_cell(c));
    Term* r = w.done.at(right_cell(c));
    if (l == left_cell(c) && r == right_cell(c)) return retained(c);
    return owned_pair(retained(l), retained(r));
}

}  // namespace

// Children first, on an explicit stack; a cell that holds no closure is its
// own written form and is not entered.
Term* reify_lifted(const GlobalTable& globals, LiftedStore& store, Term* t) {
    if (!holds_lifted(t)) return retained(t);
    ReifyWalk w{globals, store, {}, {}};
    std::vector<Term*> todo{t};
    while (!todo.empty()) {
        Term* c = todo.back();
        if (w.done.find(c) != w.done.end()) {
            todo.pop_back();
        } else if (!holds_lifted(c)) {
            w.done.emplace(c, retained(c));
            todo.pop_back();
        } else if (is_leaf_cell(c) || !push_missing(w, todo, c)) {
            todo.pop_back();
            w.done.emplace(c, write(w, c));
        }
    }
    Term* result = retained(w.done.at(t));
    for (auto& [cell, out] : w.done) release(out);
    return result;
}

}  // namespace vesk
