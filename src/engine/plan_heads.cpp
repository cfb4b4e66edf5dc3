#include "engine/plan_heads.hpp"

#include <vector>

#include "engine/build.hpp"
#include "engine/contract.hpp"
#include "engine/shape.hpp"
#include "engine/substitute.hpp"

namespace vesk {

// False when the spine has more arguments than any redex takes.
bool read_spine(Term* t, HeadSpine& s) {
    int n = 0;
    for (Term* c = t; !is_leaf_cell(c) && !is_data_cell(c); c = left_cell(c)) {
        if (++n > kMaxArguments) return false;
    }
    s.count = n;
    while (n > 0) {
        s.arg[--n] = right_cell(t);
        t = left_cell(t);
    }
    s.head = t;
    return true;
}

namespace {

// Enough for the operator and combinator chains that bodies begin with; a
// bound, because a linear head may build a head like itself.
constexpr int kMostRounds = 8;
// Combinator bodies are a few cells; a larger body is not looked through.
constexpr int kMostBodyCells = 64;

// Whether t (borrowed) may bind a letter: it holds a lambda or a let, or is
// too large to tell cheaply.
bool may_bind(Term* t) {
    std::vector<Term*> todo{t};
    int seen = 0;
    while (!todo.empty()) {
        Term* c = todo.back();
        todo.pop_back();
        if (is_leaf_cell(c)) continue;
        if (++seen > kMostBodyCells || binder_shape(c) != BinderShape::other) return true;
        todo.push_back(left_cell(c));
        todo.push_back(right_cell(c));
    }
    return false;
}

// t (an annotated owner) applied to the spine's arguments from `from` on.
Term* apply_rest(Term* t, const HeadSpine& s, int from) {
    for (int i = from; i < s.count; ++i) t = owned_pair(t, retained(s.arg[i]));
    return t;
}

// One contraction of the spine's head, as an annotated owner, or null when
// the head is of neither kind.
Term* contract_head_once(NameCache& cache, const HeadSpine& s) {
    Term* h = s.head;
    if (!is_leaf_cell(h) || !is_name_head(h) || find_lifted(cache.lifted, h) != nullptr) {
        return nullptr;
    }
    NameEntry* entry = find_name(cache, h);
    if (entry == nullptr || entry->kind != NameKind::global) return nullptr;
    const GlobalTable& globals = cache.rt.globals;
    Term* d = entry->definition->cell;
    if (is_leaf_cell(d)) {
        Term* v = standing_value(globals, d);  // name = v
        return v != nullptr ? apply_rest(retained(v), s, 0) : nullptr;
    }
    // name a1 .. ap = body[x1 := a1, .., xp := ap], the later letter winning
    if (!is_linear_byte(first_byte(h))) return nullptr;
    Substitution sub;
    int p = 0;
    Term* body = d;
    for (; binder_shape(body) == BinderShape::lambda; body = right_cell(body)) {
        if (p == s.count) return nullptr;  // a partial application: a value
        unsigned char x = first_byte(right_cell(left_cell(body)));
        if (x < 'a' || x > 'z') return nullptr;  // never after the checks
        sub.letters |= letter_bit(x);
        sub.values[x - 'a'] = s.arg[p++];
    }
    if (p == 0 || p >= 11 || may_bind(body)) return nullptr;
    return apply_rest(substitute_cells(globals, body, sub), s, p);
}

}  // namespace

TermRef contract_plan_head(NameCache& cache, const TermRef& body) {
    annotate(cache.rt.globals, body.cell);
    TermRef t = body;
    for (int round = 0; round < kMostRounds; ++round) {
        HeadSpine s;
        if (!read_spine(t.cell, s)) break;
        Term* next = contract_head_once(cache, s);
        if (next == nullptr) break;
        t = TermRef::adopt(next);
    }
    return t;
}

}  // namespace vesk
