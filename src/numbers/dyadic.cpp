#include "numbers/dyadic.hpp"

#include <utility>

#include "numbers/bits.hpp"
#include "numbers/integers.hpp"

namespace vesk {

namespace {

// The bits at positions first, first + 2, first + 4, ... of s, packed.
BitString every_other_bit(std::string_view s, std::size_t first) {
    BitString out;
    std::size_t length = bit_length(s);
    for (std::size_t i = first, j = 0; i < length; i += 2, ++j) {
        if (bit_at(i, s)) {
            if (out.size() <= j / 8) out.resize(j / 8 + 1, '\0');
            out[j / 8] = static_cast<char>(out[j / 8] | (1 << (j % 8)));
        }
    }
    return out;
}

// x's bits at the even positions and y's at the odd ones.
BitString interleave(std::string_view x, std::string_view y) {
    std::size_t length = std::max(bit_length(x), bit_length(y));
    BitString out((2 * length + 7) / 8, '\0');
    for (std::size_t i = 0; i < length; ++i) {
        std::size_t even = 2 * i, odd = 2 * i + 1;
        if (bit_at(i, x)) out[even / 8] = static_cast<char>(out[even / 8] | (1 << (even % 8)));
        if (bit_at(i, y)) out[odd / 8] = static_cast<char>(out[odd / 8] | (1 << (odd % 8)));
    }
    return trim_bits(std::move(out));
}

// s - 1 for a value s >= 1.
BitString minus_one(BitString s) {
    for (char& byte : s) {
        bool borrow = byte == '\0';
        byte = static_cast<char>(static_cast<unsigned char>(byte) - 1);
        if (!borrow) break;
    }
    return trim_bits(std::move(s));
}

std::optional<std::uint64_t> small_bits(std::string_view s) {
    if (bit_length(s) > 63) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = s.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(s[i]);
    return value;
}

Natural one() {
    return natural_from_u64(1);
}

}  // namespace

Natural natural_from_bits(std::string_view bits) {
    Natural n;
    for (std::size_t i = bits.size(); i-- > 0;) {
        mul_limb_in_place(n, 256);
        add_limb_in_place(n, static_cast<unsigned char>(bits[i]));
    }
    return n;
}

Bytes natural_to_bits(const Natural& n) {
    Natural rest = n;
    Bytes out;
    while (!rest.empty()) {
        Limb low = div_limb_in_place(rest, 65536);
        out.push_back(static_cast<char>(low & 0xff));
        out.push_back(static_cast<char>(low >> 8));
    }
    return trim_bits(std::move(out));
}

std::uint64_t natural_bit_bound(const Natural& n) {
    return static_cast<std::uint64_t>(n.size()) * 30;  // a limb is below 2^30
}

void normalize_dyadic(Dyadic& value) {
    while (value.exponent > 0 && !value.magnitude.empty() && value.magnitude[0] % 2 == 0) {
        div_limb_in_place(value.magnitude, 2);
        --value.exponent;
    }
    if (value.magnitude.empty()) {
        value.negative = false;
        value.exponent = 0;
    }
}

namespace {

// A numb is a number leaf beginning "00", or a list whose first bit is H:
// a pair ((J H) rest). Data never holds a J leaf, so the shape alone decides.
bool has_numb_shape(const Term* t) {
    if (is_leaf_cell(t)) {
        std::string_view text = leaf_view(t);
        return text.size() >= 2 && text[0] == '0' && text[1] == '0';
    }
    const Term* l = left_cell(t);
    return !is_leaf_cell(l) && is_byte_leaf(left_cell(l), 'J') && is_byte_leaf(right_cell(l), 'H');
}

}  // namespace

std::optional<Dyadic> read_numb(const Term* t) {
    if (!has_numb_shape(t)) return std::nullopt;
    std::optional<BitString> code = code_number(TermRef(const_cast<Term*>(t)));
    if (!code || bit_length(*code) < 2 || bit_at(0, *code)) return std::nullopt;
    BitString k = minus_one(half(*code));
    std::optional<std::uint64_t> exponent = small_bits(every_other_bit(k, 0));
    if (!exponent || *exponent > kMaxNumbExponent) return std::nullopt;
    Natural y = natural_from_bits(every_other_bit(k, 1));
    Dyadic value;
    value.exponent = *exponent;
    if (y.empty()) {
        value.magnitude = one();
    } else if (y[0] % 2 == 1) {
        div_limb_in_place(y, 2);  // (y - 1) / 2
        value.magnitude = std::move(y);
    } else {
        div_limb_in_place(y, 2);
        value.magnitude = std::move(y);
        value.negative = true;
    }
    normalize_dyadic(value);
    return value;
}

std::optional<Dyadic> read_hint(const Term* t) {
    TermRef held(const_cast<Term*>(t));
    if (!is_integer_value(held)) return std::nullopt;
    std::optional<Bytes> text = checked_decimal_text(held);
    if (!text) return std::nullopt;
    Dyadic value;
    std::string_view digits = *text;
    if (digits.size() > 1 && digits[0] == '0') {
        value.negative = true;
        digits.remove_prefix(1);
    }
    value.magnitude = natural_from_digits(digits);
    normalize_dyadic(value);
    return value;
}

std::optional<TermRef> numb_term(Dyadic value) {
    normalize_dyadic(value);
    if (value.exponent > kMaxNumbExponent) return std::nullopt;
    // y = 2n + 1 for n >= 0, 2|n| for n < 0.
    Natural y = std::move(value.magnitude);
    mul_limb_in_place(y, 2);
    if (!value.negative) add_limb_in_place(y, 1);
    BitString x;
    for (std::uint64_t e = value.exponent; e != 0; e >>= 8)
        x.push_back(static_cast<char>(e & 0xff));
    BitString k = interleave(x, natural_to_bits(y));
    BitString code = shift_bits(add_small(k, 1), 1);  // N = 2 (K + 1)
    return TermRef(bits_to_text(code));
}

}  // namespace vesk
