// Building annotated cells from raw owners, for the machine's hot paths.
// "Owner" means one counted reference that the receiver takes over.
#pragma once

#include "engine/annotate.hpp"
#include "terms/cells.hpp"
#include "terms/term.hpp"

namespace vesk {

// An annotated pair of two annotated owners; the result is an owner.
[[nodiscard]] inline Term* owned_pair(Term* l, Term* r) {
    Term* p = make_pair_cell(l, r);
    retain(p);
    annotate_pair(p);
    return p;
}
// A pair of two owners left unannotated (it is annotated when first read):
// for a built-in's redex, which only its handler looks at.
[[nodiscard]] inline Term* plain_pair(Term* l, Term* r) {
    Term* p = make_pair_cell(l, r);
    retain(p);
    return p;
}
// One more owner of t (borrowed), returned.
[[nodiscard]] inline Term* retained(Term* t) {
    retain(t);
    return t;
}

// Takes over the children of the pair p (an owner) as two owners and gives
// p up. A pair with no other owner is freed on the spot, its children's
// counts untouched: their owners simply pass from p to the caller.
inline void unpair(Term* p, Term*& l, Term*& r) {
    l = left_cell(p);
    r = right_cell(p);
    if (refs_of(p) == 1) {
        free_cell(p, kPairBytes);
        return;
    }
    retain(l);
    retain(r);
    release(p);
}

}  // namespace vesk
