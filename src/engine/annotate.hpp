// Term annotation: the summary the machine reads on every step, cached in
// each cell's header (arity, pending flag, data marker, free variables).
//
// A cell is annotated once, the first time a reader needs it; annotation is
// a pure function of the term and of the global table at that moment (a name
// leaf's arity is its definition's count of leading lambdas), so every
// function that may annotate takes the globals it reads. Readers below
// annotate first when the cell has no annotation yet.
#pragma once

#include <cstdint>

#include "engine/shape.hpp"
#include "runtime/globals.hpp"
#include "terms/term.hpp"

namespace vesk {

// Annotates t and every unannotated cell under it (borrowed). Works from an
// explicit stack over the unannotated cells, so any depth is fine; cells that
// already carry an annotation are not entered.
void annotate(const GlobalTable& globals, Term* t);
inline void annotate(const GlobalTable& globals, const TermRef& t) {
    annotate(globals, t.cell);
}

// Annotates a pair whose two children are annotated already: constant time.
// The machine calls it on every pair it builds. (Defined below.)
inline void annotate_pair(Term* t);
// The data pair case of annotate_pair: both children are data.
void annotate_data_pair(Term* t);

// Makes sure t carries an annotation (borrowed).
inline void ensure_annotated(const GlobalTable& globals, Term* t) {
    if (!is_annotated(t)) [[unlikely]]
        annotate(globals, t);
}

// The arity of an annotated cell: 1 for data, else the stored arity.
inline int annotated_arity(const Term* t) {
    return is_data_cell(t) ? 1 : stored_arity(t);
}
// The free one-letter variables of an annotated cell (bit i is 'a' + i):
// none for data, number leaves and bracket leaves, otherwise its span.
inline std::uint32_t annotated_variables(const Term* t) {
    if (is_data_cell(t)) return 0;
    if (is_leaf_cell(t)) {
        LeafKind kind = leaf_kind(t);
        if (kind == LeafKind::number || kind == LeafKind::bracket) return 0;
    }
    return span_of(t);
}
// True for data, or a term whose pending flag is clear and whose arity is at
// least 1 (annotated cell).
inline bool annotated_value(const Term* t) {
    return is_data_cell(t) || (!pending_of(t) && stored_arity(t) >= 1);
}

// The same readers on handles (borrowed), annotating first.
int read_arity(const GlobalTable& globals, const TermRef& t);
std::uint32_t variable_set(const GlobalTable& globals, const TermRef& t);
bool is_value(const GlobalTable& globals, const TermRef& t);
// Cell variants (borrowed), annotating first.
inline int arity_of(const GlobalTable& globals, Term* t) {
    ensure_annotated(globals, t);
    return annotated_arity(t);
}
inline std::uint32_t variables_of(const GlobalTable& globals, Term* t) {
    ensure_annotated(globals, t);
    return annotated_variables(t);
}
inline bool value_cell(const GlobalTable& globals, Term* t) {
    ensure_annotated(globals, t);
    return annotated_value(t);
}

// The bit of a one-letter variable 'a'..'z'.
inline std::uint32_t letter_bit(unsigned char letter) {
    return std::uint32_t{1} << (letter - 'a');
}

namespace annotation {
inline constexpr int kVariableArity = 11;  // a variable applied to anything stays open
inline constexpr int kArityFloor = -50;    // below this an arity no longer decreases
}  // namespace annotation

// (L R), not both data: arity(L) - 1 (0 when L is data; a variable's 11 and
// anything below -50 stay); pending when L is pending, or R is pending or not
// yet a function (arity below 1), data never counting; the variables of both
// sides, except that a lambda ((\ x) body) leaves out x and is never pending,
// a let head (({ x) v) has v's variables only, and a let ((({ x) v) body)
// leaves x out of the body's. The header is written in one store.
inline void annotate_pair(Term* t) {
    using namespace annotation;
    Term* l = left_cell(t);
    Term* r = right_cell(t);
    VESK_ASSERT(is_annotated(l) && is_annotated(r));
    bool data_l = is_data_cell(l);
    bool data_r = is_data_cell(r);
    if (data_l && data_r) {
        annotate_data_pair(t);
        return;
    }
    int arity = 0;
    if (!data_l) {
        arity = stored_arity(l);
        if (arity != kVariableArity && arity >= kArityFloor) --arity;
    }
    std::uint32_t vars_l = annotated_variables(l);
    std::uint32_t vars_r = annotated_variables(r);
    std::uint32_t vars = vars_l | vars_r;
    bool pending = false;
    if (!is_leaf_cell(l) && is_byte_leaf(left_cell(l), '\\')) {
        vars = vars_r & ~vars_l;
    } else {
        pending = (!data_l && pending_of(l)) || (!data_r && (pending_of(r) || stored_arity(r) < 1));
        if (!is_leaf_cell(l)) {
            Term* ll = left_cell(l);
            if (is_byte_leaf(ll, '{')) {
                vars = vars_r;
            } else if (!is_leaf_cell(ll) && is_byte_leaf(left_cell(ll), '{')) {
                vars = (vars_r & ~annotated_variables(right_cell(ll))) | vars_l;
            }
        }
    }
    auto stored = static_cast<std::uint64_t>(arity + header::kArityBias);
    t->header = (t->header & header::kRefsMask) | ((l->header | r->header) & header::kLifted) |
                (static_cast<std::uint64_t>(vars) << header::kSpanShift) |
                (stored << header::kArityShift) | (pending ? header::kPending : 0);
}

}  // namespace vesk
