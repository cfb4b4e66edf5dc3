// Natural numbers: decimal text, comparison, addition, single-limb steps.
#include "numbers/natural.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#include "numbers/natural_kernels.hpp"

namespace vesk {

// ---- Limb loops ------------------------------------------------------------

Limb add_into(Limb* r, std::size_t nr, const Limb* a, std::size_t na) {
    VESK_ASSERT(na <= nr);
    Limb carry = 0;
    std::size_t i = 0;
    for (; i < na; ++i) {
        Limb s = r[i] + a[i] + carry;  // below 2 * 10^9 + 1 < 2^32
        carry = s >= kLimbBase;
        r[i] = carry ? s - kLimbBase : s;
    }
    for (; carry != 0 && i < nr; ++i) {
        Limb s = r[i] + 1;
        carry = s == kLimbBase;
        r[i] = carry ? 0 : s;
    }
    return carry;
}

Limb sub_into(Limb* r, std::size_t nr, const Limb* a, std::size_t na) {
    VESK_ASSERT(na <= nr);
    Limb borrow = 0;
    std::size_t i = 0;
    for (; i < na; ++i) {
        Limb take = a[i] + borrow;
        borrow = r[i] < take;
        r[i] = borrow ? r[i] + kLimbBase - take : r[i] - take;
    }
    for (; borrow != 0 && i < nr; ++i) {
        borrow = r[i] == 0;
        r[i] = borrow ? kLimbBase - 1 : r[i] - 1;
    }
    return borrow;
}

Limb add_same_length(Limb* r, const Limb* a, const Limb* b, std::size_t n) {
    Limb carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Limb s = a[i] + b[i] + carry;
        carry = s >= kLimbBase;
        r[i] = carry ? s - kLimbBase : s;
    }
    return carry;
}

// ---- Text ------------------------------------------------------------------

namespace {

Limb parse_limb(const char* p, std::size_t n) {
    Limb v = 0;
    for (std::size_t i = 0; i < n; ++i) v = v * 10 + static_cast<Limb>(p[i] - '0');
    return v;
}

// The value of eight ASCII digits at p, combined pairwise in one word:
// digits to bytes, bytes to two-digit values, those to four-digit values,
// and the two halves to eight.
Limb parse_eight(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    v -= 0x3030303030303030u;
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    v = (v * 10) + (v >> 8);
    v = (((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
         (((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >>
        32;
    return static_cast<Limb>(v);
}

Limb parse_nine(const char* p) {
    return static_cast<Limb>(p[0] - '0') * 100'000'000 + parse_eight(p + 1);
}

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void put_pair(Limb v, char* out) {
    std::memcpy(out, kPairs + 2 * v, 2);
}

// Writes the nine digits of v, leading zeros included, at out. The two
// halves are split first so the divisions do not wait on one another.
void put_nine_digits(Limb v, char* out) {
    Limb hi = v / 10000;  // five digits
    Limb lo = v % 10000;
    put_pair(lo / 100, out + 5);
    put_pair(lo % 100, out + 7);
    Limb mid = hi % 10000;
    out[0] = static_cast<char>('0' + hi / 10000);
    put_pair(mid / 100, out + 1);
    put_pair(mid % 100, out + 3);
}

int top_limb_digits(Limb v) {
    int d = 1;
    while (v >= 10) {
        v /= 10;
        ++d;
    }
    return d;
}

}  // namespace

Natural natural_from_digits(std::string_view digits) {
    std::size_t n = digits.size();
    Natural limbs((n + kLimbDigits - 1) / kLimbDigits);
    std::size_t end = n;
    for (Limb& limb : limbs) {
        if (end >= kLimbDigits) {
            end -= kLimbDigits;
            limb = parse_nine(digits.data() + end);
        } else {
            limb = parse_limb(digits.data(), end);
            end = 0;
        }
    }
    normalize(limbs);
    return limbs;
}

std::size_t natural_digit_count(const Natural& n) {
    if (n.empty()) return 1;
    return (n.size() - 1) * kLimbDigits + static_cast<std::size_t>(top_limb_digits(n.back()));
}

void append_natural_digits(const Natural& n, Bytes& out) {
    if (n.empty()) {
        out.push_back('0');
        return;
    }
    std::size_t at = out.size();
    out.resize(at + natural_digit_count(n));
    char* p = out.data() + at;
    int top = top_limb_digits(n.back());
    Limb v = n.back();
    for (int k = top - 1; k >= 0; --k) {
        p[k] = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    p += top;
    for (std::size_t i = n.size() - 1; i-- > 0;) {
        put_nine_digits(n[i], p);
        p += kLimbDigits;
    }
}

Natural natural_from_u64(std::uint64_t value) {
    Natural n;
    while (value != 0) {
        n.push_back(static_cast<Limb>(value % kLimbBase));
        value /= kLimbBase;
    }
    return n;
}

bool natural_fits_u64(const Natural& n) {
    if (n.size() <= 2) return true;
    if (n.size() > 3) return false;
    // 2^64 - 1 = 18 446744073 709551615 in limbs.
    constexpr Limb kMax[3] = {709551615, 446744073, 18};
    for (std::size_t i = 3; i-- > 0;) {
        if (n[i] != kMax[i]) return n[i] < kMax[i];
    }
    return true;
}

std::uint64_t natural_to_u64(const Natural& n) {
    VESK_ASSERT(natural_fits_u64(n));
    std::uint64_t v = 0;
    for (std::size_t i = n.size(); i-- > 0;) v = v * kLimbBase + n[i];
    return v;
}

// ---- Comparison and addition -----------------------------------------------

int compare_naturals(const Natural& a, const Natural& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

Natural add_naturals(const Natural& a, const Natural& b) {
    const Natural& longer = a.size() >= b.size() ? a : b;
    const Natural& shorter = a.size() >= b.size() ? b : a;
    Natural r(longer.size() + 1);
    std::copy(longer.begin(), longer.end(), r.begin());
    add_into(r.data(), r.size(), shorter.data(), shorter.size());
    normalize(r);
    return r;
}

Natural sub_naturals(const Natural& a, const Natural& b) {
    VESK_ASSERT(compare_naturals(a, b) >= 0);
    Natural r = a;
    Limb borrow = sub_into(r.data(), r.size(), b.data(), b.size());
    VESK_ASSERT(borrow == 0);
    normalize(r);
    return r;
}

void add_limb_in_place(Natural& a, Limb k) {
    VESK_ASSERT(k < kLimbBase);
    if (k == 0) return;
    a.push_back(0);
    add_into(a.data(), a.size(), &k, 1);
    normalize(a);
}

void mul_limb_in_place(Natural& a, Limb k) {
    VESK_ASSERT(k < kLimbBase);
    if (k == 0) {
        a.clear();
        return;
    }
    std::uint64_t carry = 0;
    for (Limb& limb : a) {
        std::uint64_t p = std::uint64_t{limb} * k + carry;
        limb = static_cast<Limb>(p % kLimbBase);
        carry = p / kLimbBase;
    }
    if (carry != 0) a.push_back(static_cast<Limb>(carry));
}

Limb div_limb_in_place(Natural& a, Limb k) {
    VESK_ASSERT(k > 0 && k < kLimbBase);
    std::uint64_t rest = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        std::uint64_t cur = rest * kLimbBase + a[i];
        a[i] = static_cast<Limb>(cur / k);
        rest = cur % k;
    }
    normalize(a);
    return static_cast<Limb>(rest);
}

}  // namespace vesk
