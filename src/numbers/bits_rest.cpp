// The rest of a number's bit list, straight from its decimal text.
//
// Dropping the first element halves the code number. Each text form's half
// has a text that halving the decimal digits gives directly, in linear time,
// where going through the code number would cost two quadratic conversions
// per element:
//   d        (4d + 3) / 2 = 2d + 1:  d odd -> text of d div 2, even -> "0" (d / 2)
//   "0" d    (4d + 1) / 2 = 2d = 2^(z+1) * o with o odd:
//            "00", z zeros, then o div 2 unless it is zero
//   "00" + z zeros (z >= 1) + D:  one zero fewer
//   "00" D   (2 + 4D) / 2 = 2D + 1:  like d above with D
#include "numbers/bits.hpp"
#include "numbers/natural.hpp"

namespace vesk {

namespace {

struct Halved {
    Bytes quotient;  // no leading zeros; "0" for zero
    bool odd;
};

Halved halve_decimal(std::string_view digits) {
    Halved h{Bytes(), false};
    h.quotient.reserve(digits.size());
    unsigned rem = 0;
    for (char c : digits) {
        VESK_ASSERT(c >= '0' && c <= '9');
        unsigned cur = rem * 10 + static_cast<unsigned>(c - '0');
        char q = static_cast<char>('0' + cur / 2);
        if (q != '0' || !h.quotient.empty()) h.quotient.push_back(q);
        rem = cur % 2;
    }
    if (h.quotient.empty()) h.quotient.push_back('0');
    h.odd = rem != 0;
    return h;
}

bool is_even_decimal(std::string_view digits) {
    return (static_cast<unsigned>(digits.back() - '0') % 2) == 0;
}

// The text of 2d + 1 for digits d >= 1.
Bytes twice_plus_one(std::string_view digits) {
    Halved h = halve_decimal(digits);
    return h.odd ? h.quotient : "0" + h.quotient;
}

// Halving the text once per factor of two is linear each time, but a
// number with z factors costs z passes over its digits. Past this many the
// rest are taken out in a few large steps instead (see split_twos).
constexpr std::size_t kHalvingsOneByOne = 64;

// The decimal digits at the low end of n that are 0.
std::size_t trailing_zero_digits(const Natural& n) {
    std::size_t limb = 0;
    while (limb < n.size() && n[limb] == 0) ++limb;
    if (limb == n.size()) return 0;
    std::size_t digits = limb * kLimbDigits;
    for (Limb low = n[limb]; low % 10 == 0; low /= 10) ++digits;
    return digits;
}

// n / 10^k, for an n that ends in at least k zero digits.
void drop_zero_digits(Natural& n, std::size_t k) {
    n.erase(n.begin(), n.begin() + static_cast<std::ptrdiff_t>(k / kLimbDigits));
    Limb ten_power = 1;
    for (std::size_t i = 0; i < k % kLimbDigits; ++i) ten_power *= 10;
    if (ten_power > 1) {
        Limb rest = div_limb_in_place(n, ten_power);
        VESK_ASSERT(rest == 0);
    }
}

Natural five_to(std::size_t k) {
    Natural r = natural_from_u64(1);
    Natural base = natural_from_u64(5);
    for (; k > 0; k >>= 1) {
        if ((k & 1) != 0) r = mul_naturals(r, base);
        if (k > 1) base = square_natural(base);
    }
    return r;
}

// Writes n = 2^z * o with o odd (n even and non-zero) as o, returning z.
// Dividing by 2^c is multiplying by 5^c and dropping c zero digits. The
// product of n = 2^z * o with 5^c is 10^c * 2^(z-c) * o when c <= z, and
// 10^z * 5^(c-z) * o, whose last factors are odd, when c > z: it ends in
// exactly z zero digits then. So c doubles while the product ends in at
// least c zeros, and the work is a few products instead of z passes.
std::size_t split_twos(Natural& n) {
    std::size_t z = 0;
    for (std::size_t c = 32;; c *= 2) {
        Natural product = mul_naturals(n, five_to(c));
        std::size_t t = trailing_zero_digits(product);
        if (t < c) {
            if (t > 0) {
                n = mul_naturals(n, five_to(t));
                drop_zero_digits(n, t);
            }
            return z + t;
        }
        drop_zero_digits(product, c);
        n = std::move(product);
        z += c;
    }
}

// The text of 2d for digits d >= 1.
Bytes twice(std::string_view digits) {
    Bytes odd(digits);
    std::size_t z = 0;
    while (is_even_decimal(odd) && z < kHalvingsOneByOne) {
        odd = halve_decimal(odd).quotient;
        ++z;
    }
    if (is_even_decimal(odd)) {
        Natural n = natural_from_digits(odd);
        z += split_twos(n);
        odd.clear();
        append_natural_digits(n, odd);
    }
    Bytes out = "00";
    out.append(z, '0');
    Bytes above = halve_decimal(odd).quotient;
    if (above != "0") out += above;
    return out;
}

}  // namespace

std::optional<Bytes> number_rest_text(std::string_view text) {
    VESK_ASSERT(!text.empty());
    if (text == "0" || text == "00") return std::nullopt;
    if (text[0] != '0') return twice_plus_one(text);
    if (text[1] != '0') return twice(text.substr(1));
    if (text[2] == '0') {
        Bytes out(text);
        out.erase(2, 1);
        return out;
    }
    return twice_plus_one(text.substr(2));
}

}  // namespace vesk
