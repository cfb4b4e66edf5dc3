// Shapes the machine recognises by looking at a few cells: binders, the
// one-byte leaves it tests for, linear heads and application spines.
#pragma once

#include "runtime/globals.hpp"
#include "terms/term.hpp"

namespace vesk {

enum class BinderShape { lambda, let, other };

// lambda: t = ((\ x) body); let: t = ((({ x) v) body); other otherwise
// (borrowed).
inline BinderShape binder_shape(const Term* t) {
    if (is_leaf_cell(t)) return BinderShape::other;
    const Term* l = left_cell(t);
    if (is_leaf_cell(l)) return BinderShape::other;
    const Term* ll = left_cell(l);
    if (is_byte_leaf(ll, '\\')) return BinderShape::lambda;
    if (!is_leaf_cell(ll) && is_byte_leaf(left_cell(ll), '{')) return BinderShape::let;
    return BinderShape::other;
}
inline BinderShape binder_shape(const TermRef& t) {
    return binder_shape(t.cell);
}

// A leaf the machine looks up as a name: the literal and binder rules claim
// every other leaf (t borrowed, a leaf).
inline bool is_name_head(const Term* h) {
    if (leaf_kind(h) != LeafKind::name) return false;
    switch (first_byte(h)) {
        case '{':
        case '\\':
        case ')':
        case ']': return false;
        default: return true;
    }
}

// The first bytes of the linear heads: prelude combinators that use each of
// their arguments at most once, so their redexes are contracted with the
// arguments as they stand.
inline bool is_linear_byte(unsigned char c) {
    switch (c) {
        case '&':
        case '|':
        case 'A':
        case 'B':
        case 'C':
        case 'D':
        case 'E':
        case 'F':
        case 'H':
        case 'I':
        case 'J':
        case 'K':
        case 'L':
        case 'N':
        case 'Q':
        case 'R':
        case 'T':
        case 'U':
        case 'V':
        case 'X':
        case 'Z': return true;
        default: return false;
    }
}

// The head of t's application spine: walk left while the term is a pair
// that is not data (borrowed; t must be annotated along its spine, which
// every annotated term is).
[[nodiscard]] inline Term* spine_head(Term* t) {
    while (!is_leaf_cell(t) && !is_data_cell(t)) t = left_cell(t);
    return t;
}

// True when the head of t's spine is a leaf whose first byte is linear
// (borrowed; annotated).
inline bool has_linear_head(Term* t) {
    return is_linear_byte(first_byte(spine_head(t)));
}
bool has_linear_head(const GlobalTable& globals, const TermRef& t);

}  // namespace vesk
