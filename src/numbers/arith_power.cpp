// Integer powers by repeated squaring.
#include <cmath>
#include <cstdlib>

#include "numbers/arith.hpp"
#include "numbers/arith_core.hpp"

namespace vesk {

namespace {

// A lower estimate of log10 |a| for |a| >= 2, from its leading digits.
double log10_magnitude(std::string_view digits) {
    std::size_t lead = digits.size() < 15 ? digits.size() : 15;
    double leading = 0;
    for (std::size_t i = 0; i < lead; ++i) leading = leading * 10 + (digits[i] - '0');
    return std::log10(leading) + static_cast<double>(digits.size() - lead);
}

// base^e in 128 bits, or false when it does not fit.
bool small_power(U128 base, std::uint64_t e, U128& out) {
    U128 r = 1;
    for (;;) {
        if ((e & 1) != 0 && __builtin_mul_overflow(r, base, &r)) return false;
        e >>= 1;
        if (e == 0) break;
        if (__builtin_mul_overflow(base, base, &base)) return false;
    }
    out = r;
    return true;
}

}  // namespace

TermRef pow_signed(const SignedDigits& x, const SignedDigits& y) {
    if (y.negative) return number_result("0");
    if (is_zero_digits(y)) return number_result("1");
    bool odd = (y.digits.back() - '0') % 2 != 0;
    bool negative = x.negative && odd;
    if (is_zero_digits(x)) return number_result("0");
    if (x.digits == "1") return integer_result(negative, std::string_view("1"));
    // |a| >= 2 from here: the result has floor(e * log10 |a|) + 1 digits,
    // more than the limit exactly when the estimate reaches it (10^L has
    // L + 1 digits).
    if (!is_small(y)) return failure_leaf();
    std::uint64_t e = small_value(y.digits);
    if (static_cast<double>(e) * log10_magnitude(x.digits) >= kMaxPowerDigits) return failure_leaf();
    U128 small;
    if (is_small(x) && e < 128 && small_power(small_value(x.digits), e, small)) {
        return integer_result(negative, small);
    }
    return integer_result(negative, natural_power(natural_of(x), e));
}

}  // namespace vesk
