// The integer operations on signed digits read from terms (see
// signed_digits.hpp), shared by the public wrappers of arith.cpp. Internal
// to src/numbers. Each returns a new canonical result leaf.
#pragma once

#include <optional>

#include "numbers/signed_digits.hpp"

namespace vesk {

[[nodiscard]] TermRef add_signed(const SignedDigits& x, const SignedDigits& y);
[[nodiscard]] TermRef mul_signed(const SignedDigits& x, const SignedDigits& y);
// Floor quotient and never-negative remainder; Z for a zero divisor.
[[nodiscard]] TermRef over_signed(const SignedDigits& x, const SignedDigits& y);
[[nodiscard]] TermRef cent_signed(const SignedDigits& x, const SignedDigits& y);
[[nodiscard]] TermRef pow_signed(const SignedDigits& x, const SignedDigits& y);
bool less_signed(const SignedDigits& x, const SignedDigits& y);

inline bool is_zero_digits(const SignedDigits& x) {
    return x.digits == "0";
}
// -x, keeping zero non-negative.
inline SignedDigits negated(const SignedDigits& x) {
    return {!x.negative && !is_zero_digits(x), x.digits};
}
inline Natural natural_of(const SignedDigits& x) {
    return natural_from_digits(x.digits);
}

// Reads both operands (borrowed) and applies op, or answers nullopt when
// either is not a well-formed integer term.
template <typename Op>
auto on_integers(const TermRef& a, const TermRef& b, Op op)
    -> std::optional<decltype(op(SignedDigits{}, SignedDigits{}))> {
    Bytes storage_a;
    Bytes storage_b;
    std::optional<SignedDigits> x = read_integer(a.get(), storage_a);
    if (!x) return std::nullopt;
    std::optional<SignedDigits> y = read_integer(b.get(), storage_b);
    if (!y) return std::nullopt;
    return op(*x, *y);
}

}  // namespace vesk
