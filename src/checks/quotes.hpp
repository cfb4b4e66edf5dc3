// The quote pass: `X becomes the pair of X's source text and X itself.
#pragma once

#include "runtime/globals.hpp"

namespace vesk {

// `term` (borrowed) with every (` X) replaced by (V q X'): q is the bracket
// leaf "[" + the printed text of X + "]", X' is X after this same rewrite
// and V the prelude's pair combinator. Unchanged parts stay shared.
[[nodiscard]] TermRef rewrite_quotes(const TermRef& term);

// The rule for one pair of that rewrite: `original` (borrowed) as its
// children `left` and `right` (consumed) came back from it, where `v` is the
// pair combinator's leaf (borrowed, shared by every quote).
[[nodiscard]] TermRef quote_pair(const TermRef& v, Term* original, TermRef left, TermRef right);

}  // namespace vesk
