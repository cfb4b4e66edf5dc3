// Exact integer arithmetic on integer terms. Every operand is consumed.
// Results are canonical decimal integer leaves ("0", digits, or "0" and the
// digits of a negative value), or the leaf Z where no integer results.
//
// Operands whose magnitudes fit 64 bits are worked in host arithmetic and
// allocate nothing but the result leaf; larger ones go through the limb
// engine of natural.hpp (Karatsuba products, recursive division).
//
// The int_ operations assert that their operands are integers (see
// integers.hpp); the checked_ variants, for values from a running program,
// answer nullopt for any operand that is not a well-formed integer term.
#pragma once

#include <optional>

#include "terms/term.hpp"

namespace vesk {

// a + b, a - b, a * b.
[[nodiscard]] TermRef int_plus(TermRef a, TermRef b);
[[nodiscard]] TermRef int_dash(TermRef a, TermRef b);
[[nodiscard]] TermRef int_mult(TermRef a, TermRef b);
[[nodiscard]] std::optional<TermRef> checked_plus(TermRef a, TermRef b);
[[nodiscard]] std::optional<TermRef> checked_dash(TermRef a, TermRef b);
[[nodiscard]] std::optional<TermRef> checked_mult(TermRef a, TermRef b);

// The floor q of a / b, and a remainder that is never negative: a - b q
// for b > 0, and its negation b q - a for b < 0 (both in 0 .. |b| - 1, so
// a = b q + r holds for positive divisors only). The leaf Z for a zero
// divisor.
[[nodiscard]] TermRef int_over(TermRef a, TermRef b);
[[nodiscard]] TermRef int_cent(TermRef a, TermRef b);
[[nodiscard]] std::optional<TermRef> checked_over(TermRef a, TermRef b);
[[nodiscard]] std::optional<TermRef> checked_cent(TermRef a, TermRef b);

// a to the power b by repeated squaring: 1 for b = 0 (also for a = 0), 0
// for b < 0. The leaf Z when the result would have more than
// kMaxPowerDigits digits, which no machine could hold.
// The fuzz targets (VESK_RUN_BUDGET) hold every run to a small heap and a
// short time, so there the limit is small as well.
#ifdef VESK_RUN_BUDGET
inline constexpr double kMaxPowerDigits = 10000.0;
#else
inline constexpr double kMaxPowerDigits = 4294967296.0;
#endif
[[nodiscard]] TermRef int_powa(TermRef a, TermRef b);
[[nodiscard]] std::optional<TermRef> checked_powa(TermRef a, TermRef b);

// a < b and a >= b.
bool int_less(TermRef a, TermRef b);
bool int_gteq(TermRef a, TermRef b);
std::optional<bool> checked_less(TermRef a, TermRef b);
std::optional<bool> checked_gteq(TermRef a, TermRef b);

// Zero (the leaf "0", the leaf K, a bit list of zero); an even magnitude;
// the negation ("0" stays "0").
bool is_zero(TermRef t);
bool is_even(TermRef t);
[[nodiscard]] TermRef negate(TermRef t);
std::optional<bool> checked_is_zero(TermRef t);
std::optional<bool> checked_is_even(TermRef t);
[[nodiscard]] std::optional<TermRef> checked_negate(TermRef t);

}  // namespace vesk
