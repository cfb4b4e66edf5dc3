// Bit-vector arithmetic on BitStrings, one byte at a time. The values here
// are short-lived (they exist only while a literal is unfolded or converted),
// so plain byte loops are enough; the decimal conversions, which are
// quadratic, work on wider limbs in bits_text.cpp.
#include "numbers/bits.hpp"

#include <algorithm>

namespace vesk {

namespace {

unsigned byte_at(std::string_view s, std::size_t j) {
    return j < s.size() ? static_cast<unsigned char>(s[j]) : 0u;
}

char to_byte(std::uint64_t v) {
    return static_cast<char>(static_cast<unsigned char>(v & 0xff));
}

}  // namespace

bool bit_at(std::size_t i, std::string_view s) {
    std::size_t j = i / 8;
    if (j >= s.size()) return false;
    return ((byte_at(s, j) >> (i % 8)) & 1u) != 0;
}

BitString set_bit(std::size_t i, bool v, BitString s) {
    while (s.size() <= i / 8) s.append(8, '\0');
    unsigned char b = static_cast<unsigned char>(s[i / 8]);
    unsigned char mask = static_cast<unsigned char>(1u << (i % 8));
    s[i / 8] = static_cast<char>(v ? (b | mask) : (b & ~mask));
    return s;
}

std::size_t bit_length(std::string_view s) {
    std::size_t j = s.size();
    while (j > 0 && s[j - 1] == '\0') --j;
    if (j == 0) return 0;
    unsigned top = byte_at(s, j - 1);
    std::size_t width = 0;
    while (top != 0) {
        ++width;
        top >>= 1;
    }
    return (j - 1) * 8 + width;
}

BitString trim_bits(BitString s) {
    std::size_t j = s.size();
    while (j > 0 && s[j - 1] == '\0') --j;
    s.resize(j);
    return s;
}

bool is_zero_bits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == '\0'; });
}

bool is_canonical_bits(std::string_view s) {
    return !s.empty() && s.back() != '\0';
}

BitString zero_bytes(std::size_t n) {
    return BitString(n, '\0');
}

BitString add_bits(std::string_view a, std::string_view b) {
    std::size_t n = std::max(a.size(), b.size());
    BitString out;
    out.reserve(n + 1);
    unsigned carry = 0;
    for (std::size_t j = 0; j < n; ++j) {
        unsigned v = byte_at(a, j) + byte_at(b, j) + carry;
        out.push_back(to_byte(v));
        carry = v >> 8;
    }
    if (carry != 0) out.push_back(to_byte(carry));
    return trim_bits(std::move(out));
}

BitString add_small(std::string_view s, std::uint32_t k) {
    BitString out;
    out.reserve(s.size() + 5);
    std::uint64_t carry = k;
    for (std::size_t j = 0; j < s.size(); ++j) {
        std::uint64_t v = byte_at(s, j) + carry;
        out.push_back(to_byte(v));
        carry = v >> 8;
    }
    for (; carry != 0; carry >>= 8) out.push_back(to_byte(carry));
    return trim_bits(std::move(out));
}

// One pass of byte * k + carry: the same value as summing s shifted by each
// set bit of k, without the intermediate strings.
BitString mul_small(std::string_view s, std::uint32_t k) {
    BitString out;
    out.reserve(s.size() + 5);
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < s.size(); ++j) {
        std::uint64_t v = std::uint64_t{byte_at(s, j)} * k + carry;
        out.push_back(to_byte(v));
        carry = v >> 8;
    }
    for (; carry != 0; carry >>= 8) out.push_back(to_byte(carry));
    return trim_bits(std::move(out));
}

BitString shift_bits(std::string_view s, std::size_t k) {
    if (is_zero_bits(s)) return BitString();
    std::size_t whole = k / 8;
    unsigned part = static_cast<unsigned>(k % 8);
    BitString out(whole, '\0');
    out.reserve(whole + s.size() + 1);
    unsigned carry = 0;
    for (std::size_t j = 0; j < s.size(); ++j) {
        unsigned v = (byte_at(s, j) << part) | carry;
        out.push_back(to_byte(v));
        carry = v >> 8;
    }
    if (carry != 0) out.push_back(to_byte(carry));
    return trim_bits(std::move(out));
}

// Long division from the top byte down; the remainder stays below k, so
// remainder * 256 + byte fits easily in 64 bits.
BitString div_small(std::string_view s, std::uint32_t k) {
    VESK_ASSERT(k != 0);
    BitString out(s.size(), '\0');
    std::uint64_t rem = 0;
    for (std::size_t j = s.size(); j-- > 0;) {
        rem = rem * 256 + byte_at(s, j);
        out[j] = to_byte(rem / k);
        rem %= k;
    }
    return trim_bits(std::move(out));
}

BitString half(std::string_view s) {
    return div_small(s, 2);
}

unsigned mod_ten(std::string_view s) {
    unsigned rem = 0;
    for (std::size_t j = s.size(); j-- > 0;) rem = (rem * 256 + byte_at(s, j)) % 10;
    return rem;
}

std::size_t list_length(std::string_view s) {
    VESK_ASSERT(is_canonical_bits(s));
    return bit_length(s) - 1;
}

bool list_element(std::size_t i, std::string_view s) {
    VESK_ASSERT(i < list_length(s));
    return bit_at(i, s);
}

// a's elements stay where they are; b's code number moves up to a's end
// marker, so b's own marker becomes the marker of the whole.
BitString list_append(std::string_view a, std::string_view b) {
    std::size_t end = list_length(a);
    VESK_ASSERT(is_canonical_bits(b));
    BitString low = set_bit(end, false, BitString(a));
    BitString out = shift_bits(b, end);
    for (std::size_t j = 0; j < low.size() && j < out.size(); ++j) out[j] |= low[j];
    return trim_bits(std::move(out));
}

std::optional<std::size_t> checked_list_length(std::string_view s) {
    if (!is_canonical_bits(s)) return std::nullopt;
    return list_length(s);
}

std::optional<bool> checked_list_element(std::int64_t i, std::string_view s) {
    std::optional<std::size_t> n = checked_list_length(s);
    if (!n || i < 0 || static_cast<std::uint64_t>(i) >= *n) return std::nullopt;
    return bit_at(static_cast<std::size_t>(i), s);
}

std::optional<BitString> checked_list_append(std::string_view a, std::string_view b) {
    if (!is_canonical_bits(a) || !is_canonical_bits(b)) return std::nullopt;
    return list_append(a, b);
}

std::optional<BitString> checked_set_bit(std::int64_t i, bool v, BitString s) {
    if (i < 0) return std::nullopt;
    return set_bit(static_cast<std::size_t>(i), v, std::move(s));
}

}  // namespace vesk
