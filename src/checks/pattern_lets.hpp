// The pattern-let pass: "x y{pair}body" binds both parts of a pair.
#pragma once

#include "runtime/globals.hpp"

namespace vesk {

// `term` (borrowed) rewritten bottom-up: a let ((({ (p q)) v) body) whose
// bound part is a pair of two name leaves becomes three simple lets,
//   { q v ({ p (q' K) ({ q (q' H) body))
// with q' the leaf of q's bare name: q first holds the whole pair (so v is
// evaluated once), p takes its first part and q is rebound to its second,
// following the prelude's pairs (V a b K = a, V a b H = b). Every other term
// is left as it is, and unchanged parts stay shared.
[[nodiscard]] TermRef rewrite_pattern_lets(const TermRef& term);

// The leaves the rewrite adds, made once per rewrite and shared by all its lets.
struct PatternLeaves {
    TermRef let = leaf_term("{");
    TermRef first = leaf_term("K");
    TermRef second = leaf_term("H");
};
// The rule for one pair of that rewrite: `original` (borrowed) as its
// children `left` and `right` (consumed) came back from it.
[[nodiscard]] TermRef pattern_let_pair(const PatternLeaves& leaves, Term* original, TermRef left,
                                       TermRef right);

// Both rewrites over every definition, in one walk of each: quotes and
// pattern lets never make or unmake each other (a quote's pair starts with
// V, a let's with a pair), and a quote's text is read off the term as
// written, so one walk gives what the quote pass and then the pattern-let
// pass give.
void rewrite_quotes_and_pattern_lets(GlobalTable& globals);

}  // namespace vesk
