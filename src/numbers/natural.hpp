// Natural numbers of any size: the working form of integer arithmetic.
//
// A Natural is a vector of limbs, least significant first, each limb holding
// nine decimal digits (base 10^9, so a limb fits 32 bits and the product of
// two limbs fits 64). Number leaves store decimal text, and with a decimal
// base the text converts to limbs by cutting it into groups of nine digits
// from the right: there is no radix conversion on the way in or out.
//
// A Natural is normalized when its highest limb is non-zero; zero is the
// empty vector. Every operation takes normalized operands and returns a
// normalized result. Operands are borrowed unless the name says in_place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

using Limb = std::uint32_t;
using Natural = std::vector<Limb>;

inline constexpr Limb kLimbBase = 1'000'000'000;
inline constexpr std::size_t kLimbDigits = 9;

// ---- Text ------------------------------------------------------------------

// The value of a run of ASCII digits '0'-'9' (leading zeros allowed, empty
// is zero). The caller has checked that every byte is a digit.
Natural natural_from_digits(std::string_view digits);
// Appends the decimal digits of n to out, without leading zeros; "0" for zero.
void append_natural_digits(const Natural& n, Bytes& out);
// The number of digits append_natural_digits writes.
std::size_t natural_digit_count(const Natural& n);
// The Natural of a host value, and back (the latter only when it fits:
// natural_fits_u64 says so).
Natural natural_from_u64(std::uint64_t value);
bool natural_fits_u64(const Natural& n);
std::uint64_t natural_to_u64(const Natural& n);

// ---- Comparison and addition -----------------------------------------------

// -1, 0 or 1 as a is below, equal to or above b.
int compare_naturals(const Natural& a, const Natural& b);
Natural add_naturals(const Natural& a, const Natural& b);
// a - b; a >= b is the caller's invariant (asserted).
Natural sub_naturals(const Natural& a, const Natural& b);
// a += k and a *= k for a single limb value k < 10^9.
void add_limb_in_place(Natural& a, Limb k);
void mul_limb_in_place(Natural& a, Limb k);

// ---- Multiplication ----------------------------------------------------------

// Operand size in limbs (of the shorter operand) from which multiplication
// splits in Karatsuba's way; below it the schoolbook kernel is faster. The
// value comes from bench/numbers_threshold.cpp.
inline constexpr std::size_t kKaratsubaThreshold = 40;

Natural mul_naturals(const Natural& a, const Natural& b);
Natural square_natural(const Natural& a);
// The same products by the quadratic method alone, and by Karatsuba with a
// chosen threshold (at least 4): for tests and for measuring the threshold.
Natural schoolbook_product(const Natural& a, const Natural& b);
Natural karatsuba_product(const Natural& a, const Natural& b, std::size_t threshold);

// base^e for e >= 1, by repeated squaring.
Natural natural_power(const Natural& base, std::uint64_t e);

// ---- Division ------------------------------------------------------------------

struct NaturalDivision {
    Natural quotient;
    Natural remainder;
};

// Divisor size in limbs from which division recurses (Burnikel and Ziegler)
// instead of running Knuth's long division on limbs.
inline constexpr std::size_t kRecursiveDivisionThreshold = 60;

// Quotient and remainder of a by b; b non-zero is the caller's invariant.
NaturalDivision divide_naturals(const Natural& a, const Natural& b);
// The same by Knuth's long division alone, and by the recursive division
// with a chosen threshold (at least 2): for tests and for measuring.
NaturalDivision long_division(const Natural& a, const Natural& b);
NaturalDivision recursive_division(const Natural& a, const Natural& b, std::size_t threshold);
// a /= k, returning the remainder, for a single limb value 0 < k < 10^9.
Limb div_limb_in_place(Natural& a, Limb k);

}  // namespace vesk
