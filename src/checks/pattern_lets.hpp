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

// Rewrites every definition in place.
void rewrite_pattern_lets(GlobalTable& globals);

}  // namespace vesk
