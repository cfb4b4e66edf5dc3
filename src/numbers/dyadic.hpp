// Numbs read as numbers: every bit string that is not an integer stands for
// a dyadic rational n / 2^e (n an integer, e >= 0), so integers, their
// widenings and every finite double share one exact arithmetic.
//
// A numb's code number N is even and at least 2. Let K = N / 2 - 1 and split
// K's bits: the bits at even positions (0, 2, 4, ...) spell the exponent e,
// the bits at odd positions (1, 3, 5, ...) spell a natural y, which names the
// numerator by the same sign rule as an integer's code number:
//   y = 2n + 1   for n >= 0
//   y = 2|n|     for n < 0
//   y = 0        reads as n = 1 (the numb "00", the empty product)
// widen puts an integer's code number V at W = 2 + (V - 1) spread over the
// odd positions of K, so the widening of n reads exactly as n.
//
// Results are written back in lowest terms (n odd, or e = 0), so every value
// has one result text; only "00" and texts whose y is 0 are other spellings.
#pragma once

#include <cstdint>
#include <optional>

#include "numbers/natural.hpp"
#include "terms/term.hpp"

namespace vesk {

// (-1)^negative * magnitude / 2^exponent. Zero is never negative.
struct Dyadic {
    bool negative = false;
    Natural magnitude;
    std::uint64_t exponent = 0;
};

// Exponents and shifts above this many bits give the failure leaf: a numb
// may spell a denominator far beyond any memory, and aligning to it would
// need a numerator of that many bits. Each step near the limit works on
// numbers of a million bits (tens of milliseconds), so the fuzz targets
// (VESK_RUN_BUDGET), which must end every input in seconds, take a smaller
// one.
#ifdef VESK_RUN_BUDGET
inline constexpr std::uint64_t kMaxNumbExponent = std::uint64_t{1} << 14;
#else
inline constexpr std::uint64_t kMaxNumbExponent = std::uint64_t{1} << 20;
#endif
// Numerators above roughly this many bits are refused the same way (a
// power near the limit takes seconds: the fuzz build takes fewer).
#ifdef VESK_RUN_BUDGET
inline constexpr std::uint64_t kMaxNumbBits = std::uint64_t{1} << 15;
#else
inline constexpr std::uint64_t kMaxNumbBits = std::uint64_t{1} << 26;
#endif

// The value of a numb term (borrowed): a number leaf "00..." or a complete
// bit list whose first bit is H. Empty for anything else, and for a numb
// whose exponent exceeds kMaxNumbExponent.
std::optional<Dyadic> read_numb(const Term* t);
// The value of an integer term (borrowed); empty unless it is a well-formed
// integer. The leaf K reads as zero.
std::optional<Dyadic> read_hint(const Term* t);
// The numb leaf of a value (consumed), in lowest terms. Empty when the
// exponent exceeds kMaxNumbExponent.
[[nodiscard]] std::optional<TermRef> numb_term(Dyadic value);

// Lowest terms: halves the numerator while it is even and the exponent
// positive; zero gets exponent 0 and a plain sign.
void normalize_dyadic(Dyadic& value);

// ---- Conversions between Natural and bit strings ----------------------------

Natural natural_from_bits(std::string_view bits);
// Trimmed; zero gives the empty string.
Bytes natural_to_bits(const Natural& n);
// An estimate of n's bit length, never below it.
std::uint64_t natural_bit_bound(const Natural& n);

}  // namespace vesk
