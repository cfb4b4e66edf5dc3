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

// One pass over the digits, written in place and trimmed at the end: the
// machine halves a long number's text at every element it unfolds. Digit i
// of the half is 5 * (digit i-1 odd) + digit i div 2, since the remainder
// carried into a digit is the parity of the one before it: no digit waits
// for the previous one's result.
Halved halve_decimal(std::string_view digits) {
    VESK_ASSERT(!digits.empty());
    Halved h{Bytes(digits.size(), '0'), false};
    const unsigned char* in = reinterpret_cast<const unsigned char*>(digits.data());
    unsigned char* out = reinterpret_cast<unsigned char*>(h.quotient.data());
    std::size_t n = digits.size();
    unsigned char outside = 0;  // non-zero when some byte is not a digit
    out[0] = static_cast<unsigned char>('0' + ((in[0] - '0') >> 1));
    outside |= static_cast<unsigned char>(in[0] - '0' > 9);
    for (std::size_t i = 1; i < n; ++i) {
        unsigned char d = static_cast<unsigned char>(in[i] - '0');
        outside |= static_cast<unsigned char>(d > 9);
        out[i] = static_cast<unsigned char>('0' + 5 * (in[i - 1] & 1) + (d >> 1));
    }
    VESK_ASSERT(outside == 0);
    std::size_t zeros = 0;
    while (zeros + 1 < n && h.quotient[zeros] == '0') ++zeros;
    h.quotient.erase(0, zeros);
    h.odd = (in[n - 1] & 1) != 0;
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
    return natural_power(natural_from_u64(5), k);
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
