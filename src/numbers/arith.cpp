// Integer sums, products and comparisons, and the public operations.
#include "numbers/arith.hpp"

#include <cstring>

#include "numbers/arith_core.hpp"

namespace vesk {

namespace {

template <typename T>
T must(std::optional<T> result) {
    VESK_ASSERT(result.has_value());
    return std::move(*result);
}

I128 small_signed(const SignedDigits& x) {
    I128 m = static_cast<I128>(small_value(x.digits));
    return x.negative ? -m : m;
}

TermRef signed_result(I128 v) {
    return integer_result(v < 0, v < 0 ? static_cast<U128>(-v) : static_cast<U128>(v));
}

// Orders two canonical magnitudes: by digit count, then bytewise.
int compare_digits(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    int c = std::memcmp(a.data(), b.data(), a.size());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

TermRef add_signed(const SignedDigits& x, const SignedDigits& y) {
    if (is_small(x) && is_small(y)) return signed_result(small_signed(x) + small_signed(y));
    Natural a = natural_of(x);
    Natural b = natural_of(y);
    if (x.negative == y.negative) return integer_result(x.negative, add_naturals(a, b));
    int c = compare_naturals(a, b);
    if (c == 0) return number_result("0");
    if (c > 0) return integer_result(x.negative, sub_naturals(a, b));
    return integer_result(y.negative, sub_naturals(b, a));
}

TermRef mul_signed(const SignedDigits& x, const SignedDigits& y) {
    bool negative = x.negative != y.negative;
    if (is_zero_digits(x) || is_zero_digits(y)) return number_result("0");
    if (is_small(x) && is_small(y)) {
        return integer_result(negative,
                              static_cast<U128>(small_value(x.digits)) * small_value(y.digits));
    }
    return integer_result(negative, mul_naturals(natural_of(x), natural_of(y)));
}

bool less_signed(const SignedDigits& x, const SignedDigits& y) {
    if (x.negative != y.negative) return x.negative;
    int c = compare_digits(x.digits, y.digits);
    return x.negative ? c > 0 : c < 0;
}

// ---- Public operations ---------------------------------------------------------

std::optional<TermRef> checked_plus(TermRef a, TermRef b) {
    return on_integers(a, b, add_signed);
}

std::optional<TermRef> checked_dash(TermRef a, TermRef b) {
    return on_integers(a, b, [](const SignedDigits& x, const SignedDigits& y) {
        return add_signed(x, negated(y));
    });
}

std::optional<TermRef> checked_mult(TermRef a, TermRef b) {
    return on_integers(a, b, mul_signed);
}
std::optional<TermRef> checked_over(TermRef a, TermRef b) {
    return on_integers(a, b, over_signed);
}
std::optional<TermRef> checked_cent(TermRef a, TermRef b) {
    return on_integers(a, b, cent_signed);
}
std::optional<TermRef> checked_powa(TermRef a, TermRef b) {
    return on_integers(a, b, pow_signed);
}
std::optional<bool> checked_less(TermRef a, TermRef b) {
    return on_integers(a, b, less_signed);
}

std::optional<bool> checked_gteq(TermRef a, TermRef b) {
    std::optional<bool> less = checked_less(std::move(a), std::move(b));
    if (!less) return std::nullopt;
    return !*less;
}

TermRef int_plus(TermRef a, TermRef b) {
    return must(checked_plus(std::move(a), std::move(b)));
}
TermRef int_dash(TermRef a, TermRef b) {
    return must(checked_dash(std::move(a), std::move(b)));
}
TermRef int_mult(TermRef a, TermRef b) {
    return must(checked_mult(std::move(a), std::move(b)));
}
TermRef int_over(TermRef a, TermRef b) {
    return must(checked_over(std::move(a), std::move(b)));
}
TermRef int_cent(TermRef a, TermRef b) {
    return must(checked_cent(std::move(a), std::move(b)));
}
TermRef int_powa(TermRef a, TermRef b) {
    return must(checked_powa(std::move(a), std::move(b)));
}
bool int_less(TermRef a, TermRef b) {
    return must(checked_less(std::move(a), std::move(b)));
}
bool int_gteq(TermRef a, TermRef b) {
    return must(checked_gteq(std::move(a), std::move(b)));
}

std::optional<bool> checked_is_zero(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    return is_zero_digits(*x);
}

std::optional<bool> checked_is_even(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    return (x->digits.back() - '0') % 2 == 0;
}

std::optional<TermRef> checked_negate(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    SignedDigits n = negated(*x);
    return integer_result(n.negative, n.digits);
}

bool is_zero(TermRef t) {
    return must(checked_is_zero(std::move(t)));
}
bool is_even(TermRef t) {
    return must(checked_is_even(std::move(t)));
}
TermRef negate(TermRef t) {
    return must(checked_negate(std::move(t)));
}

}  // namespace vesk
