#include "numbers/dyadic_ops.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

namespace vesk {

namespace {

// 2^k, by squaring.
Natural power_of_two(std::uint64_t k) {
    Natural result = natural_from_u64(1);
    Natural base = natural_from_u64(2);
    for (; k != 0; k >>= 1) {
        if (k & 1) result = mul_naturals(result, base);
        if (k > 1) base = square_natural(base);
    }
    return result;
}

// Both numerators over the larger denominator 2^e. Empty when the shift
// passes the exponent cap (it cannot: both exponents are within it).
struct Aligned {
    Natural a, b;
    std::uint64_t exponent;
};

Aligned align(const Dyadic& a, const Dyadic& b) {
    Aligned out{a.magnitude, b.magnitude, std::max(a.exponent, b.exponent)};
    if (a.exponent < out.exponent) {
        out.a = mul_naturals(out.a, power_of_two(out.exponent - a.exponent));
    }
    if (b.exponent < out.exponent) {
        out.b = mul_naturals(out.b, power_of_two(out.exponent - b.exponent));
    }
    return out;
}

// Signed sum of two signed magnitudes.
void add_signed(bool an, const Natural& a, bool bn, const Natural& b, Dyadic& out) {
    if (an == bn) {
        out.magnitude = add_naturals(a, b);
        out.negative = an;
    } else if (compare_naturals(a, b) >= 0) {
        out.magnitude = sub_naturals(a, b);
        out.negative = an;
    } else {
        out.magnitude = sub_naturals(b, a);
        out.negative = bn;
    }
}

bool is_zero_value(const Dyadic& a) {
    return a.magnitude.empty();
}

}  // namespace

std::optional<Dyadic> numb_plus(const Dyadic& a, const Dyadic& b) {
    Aligned both = align(a, b);
    Dyadic out;
    out.exponent = both.exponent;
    add_signed(a.negative, both.a, b.negative, both.b, out);
    normalize_dyadic(out);
    return out;
}

std::optional<Dyadic> numb_dash(const Dyadic& a, const Dyadic& b) {
    return numb_plus(a, numb_negate(b));
}

std::optional<Dyadic> numb_mult(const Dyadic& a, const Dyadic& b) {
    if (natural_bit_bound(a.magnitude) + natural_bit_bound(b.magnitude) > kMaxNumbBits) {
        return std::nullopt;
    }
    Dyadic out;
    out.magnitude = mul_naturals(a.magnitude, b.magnitude);
    out.negative = a.negative != b.negative;
    out.exponent = a.exponent + b.exponent;
    normalize_dyadic(out);
    if (out.exponent > kMaxNumbExponent) return std::nullopt;
    return out;
}

// Over the common denominator a = A / 2^e and b = B / 2^e, so q = floor(A / B)
// and the remainder is (A - B q) / 2^e, worked on magnitudes: with
// r = |A| mod |B|, the remainder is r when the signs agree and |B| - r (or 0)
// when they differ, which is the integer rule.
std::optional<Dyadic> numb_cent(const Dyadic& a, const Dyadic& b) {
    if (is_zero_value(b)) return std::nullopt;
    Aligned both = align(a, b);
    NaturalDivision division = divide_naturals(both.a, both.b);
    Dyadic out;
    out.exponent = both.exponent;
    if (a.negative == b.negative || division.remainder.empty() || is_zero_value(a)) {
        out.magnitude = std::move(division.remainder);
    } else {
        out.magnitude = sub_naturals(both.b, division.remainder);
    }
    normalize_dyadic(out);
    return out;
}

std::optional<Dyadic> numb_power(const Dyadic& a, std::int64_t k) {
    Dyadic out;
    if (k < 0) return out;  // zero, as for integers
    out.magnitude = natural_from_u64(1);
    if (k == 0 || (a.magnitude == natural_from_u64(1) && a.exponent == 0)) {
        out.negative = a.negative && k % 2 == 1;
        return out;
    }
    if (is_zero_value(a)) return Dyadic{};
    auto count = static_cast<std::uint64_t>(k);
    std::uint64_t bits = natural_bit_bound(a.magnitude);
    if (bits != 0 && count > kMaxNumbBits / bits) return std::nullopt;
    if (a.exponent != 0 && count > kMaxNumbExponent / a.exponent) return std::nullopt;
    Dyadic base = a;
    for (; count != 0; count >>= 1) {
        if (count & 1) {
            std::optional<Dyadic> product = numb_mult(out, base);
            if (!product) return std::nullopt;
            out = std::move(*product);
        }
        if (count > 1) {
            std::optional<Dyadic> square = numb_mult(base, base);
            if (!square) return std::nullopt;
            base = std::move(*square);
        }
    }
    return out;
}

int numb_compare(const Dyadic& a, const Dyadic& b) {
    if (a.negative != b.negative) return a.negative ? -1 : 1;
    Aligned both = align(a, b);
    int c = compare_naturals(both.a, both.b);
    return a.negative ? -c : c;
}

Dyadic numb_negate(Dyadic a) {
    if (!is_zero_value(a)) a.negative = !a.negative;
    return a;
}

double numb_to_double(const Dyadic& a) {
    Natural scaled = a.magnitude;
    // n / 2^e = n 5^e / 10^e: five to the e by squaring.
    Natural five = natural_from_u64(5);
    for (std::uint64_t e = a.exponent; e != 0; e >>= 1) {
        if (e & 1) scaled = mul_naturals(scaled, five);
        if (e > 1) five = square_natural(five);
    }
    Bytes text = a.negative ? "-" : "";
    append_natural_digits(scaled, text);
    text += "e-" + std::to_string(a.exponent);
    return std::strtod(text.c_str(), nullptr);
}

std::optional<Dyadic> numb_from_double(double d) {
    if (!std::isfinite(d)) return std::nullopt;
    int exponent = 0;
    double fraction = std::frexp(std::fabs(d), &exponent);  // in [0.5, 1)
    // 53 significant bits as an integer m, so |d| = m 2^(exponent - 53).
    auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    Dyadic out;
    out.negative = d < 0;
    out.magnitude = natural_from_u64(m);
    int shift = exponent - 53;
    if (shift >= 0) {
        out.magnitude =
            mul_naturals(out.magnitude, power_of_two(static_cast<std::uint64_t>(shift)));
    } else {
        out.exponent = static_cast<std::uint64_t>(-shift);
    }
    normalize_dyadic(out);
    return out;
}

}  // namespace vesk
