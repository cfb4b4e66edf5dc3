// Division of Naturals: Knuth's long division on limbs for short divisors
// and quotients, and Burnikel and Ziegler's recursive division above
// kRecursiveDivisionThreshold limbs, which turns the work into Karatsuba
// products. Both first scale the divisor so that its top limb is at least
// half the base (Knuth's normalization, the same in any base), which makes
// the two-limb estimate of each quotient limb at most two too large.
#include <algorithm>

#include "numbers/natural.hpp"
#include "numbers/natural_kernels.hpp"

namespace vesk {

namespace {

constexpr std::uint64_t kBase = kLimbBase;

// One step of long division: u[0 .. n] (n + 1 limbs, below v * 10^9) by the
// normalized v[0 .. n), n >= 2. Returns the quotient limb and leaves the
// remainder in u[0 .. n), with u[n] zero.
Limb divide_step(Limb* u, const Limb* v, std::size_t n) {
    std::uint64_t num = std::uint64_t{u[n]} * kBase + u[n - 1];
    std::uint64_t qhat = num / v[n - 1];
    std::uint64_t rhat = num % v[n - 1];
    while (qhat >= kBase || qhat * v[n - 2] > rhat * kBase + u[n - 2]) {
        --qhat;
        rhat += v[n - 1];
        if (rhat >= kBase) break;
    }
    std::uint64_t carry = 0;
    Limb borrow = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t p = qhat * v[i] + carry;
        carry = p / kBase;
        Limb take = static_cast<Limb>(p % kBase) + borrow;
        borrow = u[i] < take;
        u[i] = borrow ? u[i] + kLimbBase - take : u[i] - take;
    }
    std::uint64_t take = carry + borrow;
    if (u[n] >= take) {
        u[n] = static_cast<Limb>(u[n] - take);
    } else {
        // The estimate was one too large: add v back; the carry out of the
        // top limb cancels the borrow.
        u[n] = static_cast<Limb>(u[n] + kBase - take);
        --qhat;
        add_into(u, n + 1, v, n);
    }
    VESK_ASSERT(u[n] == 0);
    return static_cast<Limb>(qhat);
}

// Quotient and remainder for a >= b, b of at least two limbs.
NaturalDivision knuth_divide(const Natural& a, const Natural& b) {
    std::size_t n = b.size();
    std::size_t m = a.size() - n;
    Limb d = kLimbBase / (b.back() + 1);
    Natural v = b;
    mul_limb_in_place(v, d);
    VESK_ASSERT(v.size() == n && v.back() >= kLimbBase / 2);
    Natural u = a;
    mul_limb_in_place(u, d);
    u.resize(a.size() + 1);
    Natural q(m + 1);
    for (std::size_t j = m + 1; j-- > 0;) q[j] = divide_step(u.data() + j, v.data(), n);
    u.resize(n);
    normalize(q);
    normalize(u);
    Limb rest = div_limb_in_place(u, d);
    VESK_ASSERT(rest == 0);
    return {std::move(q), std::move(u)};
}

// ---- Pieces of Naturals by limb position -------------------------------------

// The value of limbs [from, from + count) of x.
Natural limb_slice(const Natural& x, std::size_t from, std::size_t count) {
    if (from >= x.size()) return {};
    std::size_t to = std::min(x.size(), from + count);
    Natural s(x.begin() + static_cast<std::ptrdiff_t>(from),
              x.begin() + static_cast<std::ptrdiff_t>(to));
    normalize(s);
    return s;
}

// hi * 10^(9 n) + lo, for lo below 10^(9 n).
Natural limb_join(const Natural& hi, const Natural& lo, std::size_t n) {
    VESK_ASSERT(lo.size() <= n);
    if (hi.empty()) return lo;
    Natural r(n + hi.size());
    std::copy(lo.begin(), lo.end(), r.begin());
    std::copy(hi.begin(), hi.end(), r.begin() + static_cast<std::ptrdiff_t>(n));
    return r;
}

void decrement(Natural& x) {
    Limb one = 1;
    Limb borrow = sub_into(x.data(), x.size(), &one, 1);
    VESK_ASSERT(borrow == 0);
    normalize(x);
}

// ---- Recursive division ------------------------------------------------------

NaturalDivision divide_3n_2n(const Natural& a, const Natural& b, std::size_t h,
                             std::size_t threshold);

// a by the normalized b of n limbs, for a below b * 10^(9 n). Halves n
// while it is even and at least the threshold.
NaturalDivision divide_2n_1n(const Natural& a, const Natural& b, std::size_t n,
                             std::size_t threshold) {
    if (n % 2 != 0 || n < threshold) return long_division(a, b);
    std::size_t h = n / 2;
    NaturalDivision upper = divide_3n_2n(limb_slice(a, h, 3 * h), b, h, threshold);
    Natural next = limb_join(upper.remainder, limb_slice(a, 0, h), h);
    NaturalDivision lower = divide_3n_2n(next, b, h, threshold);
    return {limb_join(upper.quotient, lower.quotient, h), std::move(lower.remainder)};
}

// a of at most 3h limbs by the normalized b of 2h limbs, for a below b * 10^(9 h).
NaturalDivision divide_3n_2n(const Natural& a, const Natural& b, std::size_t h,
                             std::size_t threshold) {
    Natural a1 = limb_slice(a, 2 * h, h);
    Natural b1 = limb_slice(b, h, h);
    Natural a12 = limb_slice(a, h, 2 * h);
    Natural qhat;
    Natural r1;
    if (compare_naturals(a1, b1) < 0) {
        NaturalDivision top = divide_2n_1n(a12, b1, h, threshold);
        qhat = std::move(top.quotient);
        r1 = std::move(top.remainder);
    } else {
        // The quotient limb block saturates at 10^(9 h) - 1.
        qhat.assign(h, kLimbBase - 1);
        r1 = sub_naturals(add_naturals(a12, b1), limb_join(b1, {}, h));
    }
    Natural d = mul_naturals(qhat, limb_slice(b, 0, h));
    Natural rhat = limb_join(r1, limb_slice(a, 0, h), h);
    while (compare_naturals(rhat, d) < 0) {
        rhat = add_naturals(rhat, b);
        decrement(qhat);
    }
    return {std::move(qhat), sub_naturals(rhat, d)};
}

}  // namespace

// The divisor is scaled to nn = j * 2^k limbs (j at most the threshold)
// with its top limb at least half the base; a is scaled alike and cut into
// blocks of nn limbs, which are divided two at a time from the top.
NaturalDivision recursive_division(const Natural& a, const Natural& b, std::size_t threshold) {
    VESK_ASSERT(!b.empty() && threshold >= 2);
    if (compare_naturals(a, b) < 0) return {{}, a};
    std::size_t n = b.size();
    int k = 0;
    while ((n >> k) >= threshold) ++k;
    std::size_t block = std::size_t{1} << k;
    std::size_t nn = (n + block - 1) / block * block;
    std::size_t shift = nn - n;
    Limb d = kLimbBase / (b.back() + 1);
    Natural bs = b;
    mul_limb_in_place(bs, d);
    bs.insert(bs.begin(), shift, 0);
    Natural as = a;
    mul_limb_in_place(as, d);
    as.insert(as.begin(), shift, 0);
    std::size_t t = std::max<std::size_t>(2, (as.size() + 1 + nn - 1) / nn);
    Natural quotient(t * nn);
    Natural z = limb_slice(as, (t - 2) * nn, 2 * nn);
    NaturalDivision step;
    for (std::size_t i = t - 1; i-- > 0;) {
        step = divide_2n_1n(z, bs, nn, threshold);
        std::copy(step.quotient.begin(), step.quotient.end(),
                  quotient.begin() + static_cast<std::ptrdiff_t>(i * nn));
        if (i > 0) z = limb_join(step.remainder, limb_slice(as, (i - 1) * nn, nn), nn);
    }
    normalize(quotient);
    Natural rest = limb_slice(step.remainder, shift, step.remainder.size());
    Limb left_over = div_limb_in_place(rest, d);
    VESK_ASSERT(left_over == 0);
    return {std::move(quotient), std::move(rest)};
}

NaturalDivision long_division(const Natural& a, const Natural& b) {
    VESK_ASSERT(!b.empty());
    if (compare_naturals(a, b) < 0) return {{}, a};
    if (b.size() == 1) {
        Natural q = a;
        Limb rest = div_limb_in_place(q, b[0]);
        return {std::move(q), rest == 0 ? Natural{} : Natural{rest}};
    }
    return knuth_divide(a, b);
}

NaturalDivision divide_naturals(const Natural& a, const Natural& b) {
    VESK_ASSERT(!b.empty());
    if (b.size() < kRecursiveDivisionThreshold ||
        a.size() < b.size() + kRecursiveDivisionThreshold) {
        return long_division(a, b);
    }
    return recursive_division(a, b, kRecursiveDivisionThreshold);
}

}  // namespace vesk
