// Contraction of literal heads: a literal applied to an argument unfolds by
// one level into the combinator structure it stands for; the pieces are
// literals again and unfold only when they are applied in turn.
#include "engine/contract.hpp"
#include "engine/leaves.hpp"
#include "engine/unfold.hpp"

namespace vesk {

namespace {

Term* shared(Machine& m, CommonLeaf which) {
    return annotated_leaf(m.rt, which);
}

// (g (X J)): the list's own head handed to the argument.
Term* apply_to_xj(Machine& m, Term* g) {
    return owned_pair(retained(g), owned_pair(shared(m, CommonLeaf::X), shared(m, CommonLeaf::J)));
}

Term* owner(Machine& m, TermRef t) {
    Term* c = t.take();
    annotate(m.rt.globals, c);
    return c;
}

}  // namespace

// n a = V (number_tag n) (number_payload n)
// A number leaf acts as J tag payload, and J drops its third argument.
void contract_number(Machine& m, const Spine& s) {
    std::string_view text = leaf_view(s.head);
    Term* tag = owner(m, number_tag(text));
    Term* payload = owner(m, number_payload(text));
    set_focus(m, owned_pair(owned_pair(shared(m, CommonLeaf::V), tag), payload));
}

// [] g = g (X J) K
// d G = V (bracket_init d) (bracket_last d)
// d g = g (X J) (bracket_list d)
void contract_data(Machine& m, const Spine& s) {
    TermRef d(s.head);
    Term* g = s.arg[0];
    Term* next;
    if (is_leaf_cell(s.head) && is_empty_bracket(d)) {
        next = owned_pair(apply_to_xj(m, g), shared(m, CommonLeaf::K));
    } else if (is_leaf_cell(g) && first_byte(g) == 'G') {
        Term* init = owner(m, bracket_init(d));
        Term* last = owner(m, bracket_last(d));
        next = owned_pair(owned_pair(shared(m, CommonLeaf::V), init), last);
    } else {
        next = owned_pair(apply_to_xj(m, g), owner(m, bracket_list(d)));
    }
    set_focus(m, next);
}

// (c) a = counted_unfold (c)         the argument is dropped
void contract_counted(Machine& m, const Spine& s) {
    set_focus(m, owner(m, counted_unfold(TermRef(s.head))));
}

// r a = real_tree r a                the argument is kept
void contract_raw(Machine& m, const Spine& s) {
    Term* tree = owner(m, real_tree(TermRef(s.head)));
    set_focus(m, owned_pair(tree, retained(s.arg[0])));
}

}  // namespace vesk
