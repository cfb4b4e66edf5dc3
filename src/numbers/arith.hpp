// Exact integer arithmetic on integer terms (operands consumed). Results are
// canonical decimal integer leaves, or the leaf Z for a zero divisor.
#pragma once

#include "terms/term.hpp"

namespace vesk {

TermRef int_plus(TermRef a, TermRef b);
TermRef int_dash(TermRef a, TermRef b);
TermRef int_mult(TermRef a, TermRef b);
TermRef int_over(TermRef a, TermRef b);  // floor division
TermRef int_cent(TermRef a, TermRef b);  // remainder in 0 .. |b| - 1
TermRef int_powa(TermRef a, TermRef b);
bool int_less(TermRef a, TermRef b);
bool int_gteq(TermRef a, TermRef b);
bool is_zero(TermRef t);
bool is_even(TermRef t);
TermRef negate(TermRef t);

}  // namespace vesk
