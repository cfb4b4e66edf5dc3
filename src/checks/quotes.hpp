// The quote pass: `X becomes the pair of X's source text and X itself.
#pragma once

#include "runtime/globals.hpp"

namespace vesk {

// `term` (borrowed) with every (` X) replaced by (V q X'): q is the bracket
// leaf "[" + the printed text of X + "]", X' is X after this same rewrite
// and V the prelude's pair combinator. Unchanged parts stay shared.
[[nodiscard]] TermRef rewrite_quotes(const TermRef& term);

// Rewrites every definition in place.
void rewrite_quotes(GlobalTable& globals);

}  // namespace vesk
