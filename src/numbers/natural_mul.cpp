// Multiplication of Naturals: a schoolbook kernel for small operands and
// Karatsuba's splitting above kKaratsubaThreshold limbs.
//
// The kernel sums limb products in 64-bit columns and carries only every
// kRowsPerPass rows, so the inner loop is a plain multiply-add. Karatsuba
// works on raw limb arrays; the sums and middle products of every level
// live in one scratch array taken in stack order, so a product allocates
// once however deep it splits. The recursion depth is the logarithm of the
// operand size.
#include <algorithm>
#include <bit>
#include <cstring>

#include "numbers/natural.hpp"
#include "numbers/natural_kernels.hpp"

namespace vesk {

namespace {

// Operands of the kernel never exceed this many limbs.
constexpr std::size_t kKernelMax = 64;
// A column holds less than 2 * 10^10 after a carry pass; 16 more products
// below 10^18 keep it below 1.7 * 10^19 < 2^64.
constexpr std::size_t kRowsPerPass = 16;

// Reduces columns acc[from .. to) below the base, leaving the carry in
// acc[to] when to < total.
void carry_columns(std::uint64_t* acc, std::size_t from, std::size_t to, std::size_t total) {
    std::uint64_t carry = 0;
    for (std::size_t k = from; k < to; ++k) {
        std::uint64_t v = acc[k] + carry;
        acc[k] = v % kLimbBase;
        carry = v / kLimbBase;
    }
    if (to < total) {
        acc[to] += carry;
    } else {
        VESK_ASSERT(carry == 0);
    }
}

// r[0 .. na + nb) = a * b for 1 <= na, nb <= kKernelMax; r overlaps neither.
void mul_kernel(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb) {
    std::uint64_t acc[2 * kKernelMax];
    std::size_t total = na + nb;
    std::fill(acc, acc + total, std::uint64_t{0});
    for (std::size_t i0 = 0; i0 < na; i0 += kRowsPerPass) {
        std::size_t i1 = std::min(na, i0 + kRowsPerPass);
        for (std::size_t i = i0; i < i1; ++i) {
            std::uint64_t ai = a[i];
            std::uint64_t* col = acc + i;
            for (std::size_t j = 0; j < nb; ++j) col[j] += ai * b[j];
        }
        carry_columns(acc, i0, i1 + nb, total);
    }
    for (std::size_t k = 0; k < total; ++k) r[k] = static_cast<Limb>(acc[k]);
}

// r[0 .. 2n) = a * a for 1 <= n <= kKernelMax: each cross product once,
// then doubled, then the squares added.
void sqr_kernel(Limb* r, const Limb* a, std::size_t n) {
    std::uint64_t acc[2 * kKernelMax];
    std::size_t total = 2 * n;
    std::fill(acc, acc + total, std::uint64_t{0});
    for (std::size_t i0 = 0; i0 < n; i0 += kRowsPerPass) {
        std::size_t i1 = std::min(n, i0 + kRowsPerPass);
        for (std::size_t i = i0; i < i1; ++i) {
            std::uint64_t ai = a[i];
            std::uint64_t* col = acc + i;
            for (std::size_t j = i + 1; j < n; ++j) col[j] += ai * a[j];
        }
        carry_columns(acc, i0, i1 + n, total);
    }
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t sq = std::uint64_t{a[i]} * a[i];
        std::uint64_t lo = 2 * acc[2 * i] + sq % kLimbBase + carry;
        r[2 * i] = static_cast<Limb>(lo % kLimbBase);
        std::uint64_t hi = 2 * acc[2 * i + 1] + sq / kLimbBase + lo / kLimbBase;
        r[2 * i + 1] = static_cast<Limb>(hi % kLimbBase);
        carry = hi / kLimbBase;
    }
    VESK_ASSERT(carry == 0);
}

// r[0 .. na + nb) = a * b by the kernel over blocks of both operands.
void mul_basecase(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb) {
    if (na <= kKernelMax && nb <= kKernelMax) {
        mul_kernel(r, a, na, b, nb);
        return;
    }
    std::fill(r, r + na + nb, Limb{0});
    Limb block[2 * kKernelMax];
    for (std::size_t i = 0; i < na; i += kKernelMax) {
        std::size_t la = std::min(kKernelMax, na - i);
        for (std::size_t j = 0; j < nb; j += kKernelMax) {
            std::size_t lb = std::min(kKernelMax, nb - j);
            mul_kernel(block, a + i, la, b + j, lb);
            Limb carry = add_into(r + i + j, na + nb - i - j, block, la + lb);
            VESK_ASSERT(carry == 0);
        }
    }
}

// Stack-ordered scratch limbs: take() hands out the next n limbs; a caller
// restores `next` when its temporaries are dead.
struct Scratch {
    Limb* next;
    Limb* end;
    Limb* take(std::size_t n) {
        VESK_ASSERT(n <= static_cast<std::size_t>(end - next));
        Limb* p = next;
        next += n;
        return p;
    }
};

// Enough scratch for operands of up to n limbs: each level takes at most
// 2n + 8 limbs and hands half-size operands (plus two limbs) down.
std::size_t scratch_limbs(std::size_t n) {
    return 4 * n + 32 * static_cast<std::size_t>(std::bit_width(n)) + 64;
}

void mul_any(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
             std::size_t threshold, Scratch& s);
void sqr_any(Limb* r, const Limb* a, std::size_t n, std::size_t threshold, Scratch& s);

// The middle step shared by both splittings. On entry r[0 .. 2h) holds the
// low product z0, r[2h .. total) the high product z2, and z1[0 .. n1) the
// product of the half sums; z1 loses z0 and z2 and is added in at r + h.
void combine_middle(Limb* r, std::size_t total, std::size_t h, Limb* z1, std::size_t n1) {
    Limb borrow = sub_into(z1, n1, r, significant_length(r, 2 * h));
    borrow |= sub_into(z1, n1, r + 2 * h, significant_length(r + 2 * h, total - 2 * h));
    VESK_ASSERT(borrow == 0);
    Limb carry = add_into(r + h, total - h, z1, significant_length(z1, n1));
    VESK_ASSERT(carry == 0);
}

// Writes the sum of x[0 .. nx) and y[0 .. ny) into out[0 .. max + 1).
std::size_t half_sum(Limb* out, const Limb* x, std::size_t nx, const Limb* y, std::size_t ny) {
    if (nx < ny) {
        std::swap(x, y);
        std::swap(nx, ny);
    }
    std::copy(x, x + nx, out);
    out[nx] = 0;
    add_into(out, nx + 1, y, ny);
    return nx + 1;
}

// Karatsuba with na >= nb > na / 2 and nb >= threshold: split at h = na / 2,
// so both high halves are non-empty.
void mul_split(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
               std::size_t threshold, Scratch& s) {
    std::size_t h = na / 2;
    mul_any(r, a, h, b, h, threshold, s);
    mul_any(r + 2 * h, a + h, na - h, b + h, nb - h, threshold, s);
    Limb* mark = s.next;
    Limb* sa = s.take(na - h + 1);
    std::size_t ls = half_sum(sa, a, h, a + h, na - h);
    Limb* sb = s.take(std::max(h, nb - h) + 1);
    std::size_t lt = half_sum(sb, b, h, b + h, nb - h);
    Limb* z1 = s.take(ls + lt);
    mul_any(z1, sa, ls, sb, lt, threshold, s);
    combine_middle(r, na + nb, h, z1, ls + lt);
    s.next = mark;
}

// na >= 2 nb: multiply b by nb-limb slices of a and add the slices in.
void mul_unbalanced(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
                    std::size_t threshold, Scratch& s) {
    std::fill(r, r + na + nb, Limb{0});
    Limb* mark = s.next;
    Limb* t = s.take(2 * nb);
    for (std::size_t at = 0; at < na; at += nb) {
        std::size_t len = std::min(nb, na - at);
        mul_any(t, a + at, len, b, nb, threshold, s);
        Limb carry = add_into(r + at, na + nb - at, t, significant_length(t, len + nb));
        VESK_ASSERT(carry == 0);
    }
    s.next = mark;
}

// r[0 .. na + nb) = a * b for any lengths; zero operands and high zero
// limbs are allowed (slices of a larger operand have them).
void mul_any(Limb* r, const Limb* a, std::size_t na, const Limb* b, std::size_t nb,
             std::size_t threshold, Scratch& s) {
    std::size_t total = na + nb;
    na = significant_length(a, na);
    nb = significant_length(b, nb);
    std::fill(r + na + nb, r + total, Limb{0});
    if (na == 0 || nb == 0) {
        std::fill(r, r + na + nb, Limb{0});
        return;
    }
    if (a == b && na == nb) return sqr_any(r, a, na, threshold, s);
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb < threshold) return mul_basecase(r, a, na, b, nb);
    if (na >= 2 * nb) return mul_unbalanced(r, a, na, b, nb, threshold, s);
    mul_split(r, a, na, b, nb, threshold, s);
}

// r[0 .. 2n) = a * a; high zero limbs allowed.
void sqr_any(Limb* r, const Limb* a, std::size_t n, std::size_t threshold, Scratch& s) {
    std::size_t total = 2 * n;
    n = significant_length(a, n);
    std::fill(r + 2 * n, r + total, Limb{0});
    if (n == 0) return;
    if (n < threshold) {
        if (n <= kKernelMax) return sqr_kernel(r, a, n);
        return mul_basecase(r, a, n, a, n);
    }
    std::size_t h = n / 2;
    sqr_any(r, a, h, threshold, s);
    sqr_any(r + 2 * h, a + h, n - h, threshold, s);
    Limb* mark = s.next;
    Limb* sa = s.take(n - h + 1);
    std::size_t ls = half_sum(sa, a, h, a + h, n - h);
    Limb* z1 = s.take(2 * ls);
    sqr_any(z1, sa, ls, threshold, s);
    combine_middle(r, 2 * n, h, z1, 2 * ls);
    s.next = mark;
}

Natural product_with(const Natural& a, const Natural& b, std::size_t threshold) {
    if (a.empty() || b.empty()) return {};
    Natural r(a.size() + b.size());
    if (std::min(a.size(), b.size()) < threshold) {
        if (a.size() >= b.size()) {
            mul_basecase(r.data(), a.data(), a.size(), b.data(), b.size());
        } else {
            mul_basecase(r.data(), b.data(), b.size(), a.data(), a.size());
        }
    } else {
        std::vector<Limb> scratch(scratch_limbs(std::max(a.size(), b.size())));
        Scratch s{scratch.data(), scratch.data() + scratch.size()};
        mul_any(r.data(), a.data(), a.size(), b.data(), b.size(), threshold, s);
    }
    normalize(r);
    return r;
}

}  // namespace

Natural mul_naturals(const Natural& a, const Natural& b) {
    if (a.size() == 1 || b.size() == 1) {
        Natural r = a.size() == 1 ? b : a;
        mul_limb_in_place(r, a.size() == 1 ? a[0] : b[0]);
        return r;
    }
    return product_with(a, b, kKaratsubaThreshold);
}

Natural square_natural(const Natural& a) {
    return product_with(a, a, kKaratsubaThreshold);
}

Natural schoolbook_product(const Natural& a, const Natural& b) {
    if (a.empty() || b.empty()) return {};
    Natural r(a.size() + b.size());
    if (a.size() >= b.size()) {
        mul_basecase(r.data(), a.data(), a.size(), b.data(), b.size());
    } else {
        mul_basecase(r.data(), b.data(), b.size(), a.data(), a.size());
    }
    normalize(r);
    return r;
}

Natural karatsuba_product(const Natural& a, const Natural& b, std::size_t threshold) {
    VESK_ASSERT(threshold >= 4);
    return product_with(a, b, threshold);
}

// From the top bit of e down: square, and multiply by the base at each set
// bit (a one-limb base costs a single pass).
Natural natural_power(const Natural& base, std::uint64_t e) {
    VESK_ASSERT(e >= 1);
    Natural r = base;
    for (int bit = 62 - __builtin_clzll(e); bit >= 0; --bit) {
        r = square_natural(r);
        if (((e >> bit) & 1) != 0) r = mul_naturals(r, base);
    }
    return r;
}

}  // namespace vesk
