// Floor division and the never-negative remainder of integers.
#include "numbers/arith_core.hpp"

namespace vesk {

namespace {

// True when the signs differ and |a| mod |b| = r is not zero: then the floor
// quotient lies one further from zero than |a| / |b|, and the remainder
// taken towards |b| is |b| - r.
template <typename Mag>
bool remainder_flips(const SignedDigits& x, const SignedDigits& y, const Mag& r) {
    return x.negative != y.negative && r != Mag{};
}

}  // namespace

TermRef over_signed(const SignedDigits& x, const SignedDigits& y) {
    if (is_zero_digits(y)) return failure_leaf();
    bool negative = x.negative != y.negative;
    if (is_small(x) && is_small(y)) {
        std::uint64_t a = small_value(x.digits);
        std::uint64_t b = small_value(y.digits);
        // Below 10^19, so adding one cannot overflow.
        std::uint64_t q = a / b + (remainder_flips(x, y, a % b) ? 1 : 0);
        return integer_result(negative, U128{q});
    }
    NaturalDivision d = divide_naturals(natural_of(x), natural_of(y));
    if (remainder_flips(x, y, d.remainder)) add_limb_in_place(d.quotient, 1);
    return integer_result(negative, d.quotient);
}

TermRef cent_signed(const SignedDigits& x, const SignedDigits& y) {
    if (is_zero_digits(y)) return failure_leaf();
    if (is_small(x) && is_small(y)) {
        std::uint64_t b = small_value(y.digits);
        std::uint64_t r = small_value(x.digits) % b;
        return integer_result(false, U128{remainder_flips(x, y, r) ? b - r : r});
    }
    Natural b = natural_of(y);
    NaturalDivision d = divide_naturals(natural_of(x), b);
    if (remainder_flips(x, y, d.remainder))
        return integer_result(false, sub_naturals(b, d.remainder));
    return integer_result(false, d.remainder);
}

}  // namespace vesk
