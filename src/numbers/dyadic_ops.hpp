// Exact arithmetic on numb values (dyadic rationals, see numb_value.hpp).
// Operands are borrowed. An empty result means the value would need more
// than the size caps of numb_value.hpp; the built-ins answer "Z" then.
#pragma once

#include <cstdint>
#include <optional>

#include "numbers/dyadic.hpp"

namespace vesk {

std::optional<Dyadic> numb_plus(const Dyadic& a, const Dyadic& b);
std::optional<Dyadic> numb_dash(const Dyadic& a, const Dyadic& b);
std::optional<Dyadic> numb_mult(const Dyadic& a, const Dyadic& b);
// The remainder after floor division, signed as the integer remainder is:
// for q = floor(a / b), a - b q when b > 0 and b q - a when b < 0, so it lies
// in [0, |b|) and agrees with the integer case on integers. Empty for b = 0.
std::optional<Dyadic> numb_cent(const Dyadic& a, const Dyadic& b);
// a to the power k by repeated squaring; 1 for k = 0, and 0 for k < 0 as in
// the integer case. Empty when the numerator would pass kMaxNumbBits.
std::optional<Dyadic> numb_power(const Dyadic& a, std::int64_t k);
// -1, 0 or 1 as a is below, equal to or above b.
int numb_compare(const Dyadic& a, const Dyadic& b);
Dyadic numb_negate(Dyadic a);

// The double nearest the value (rounding to even; beyond the range, an
// infinity), read by the C library's decimal reader from the exact decimal
// expansion n 5^e times 10^-e.
double numb_to_double(const Dyadic& a);
// The exact value of a finite double; empty for infinities and NaN.
std::optional<Dyadic> numb_from_double(double d);

}  // namespace vesk
