// Number-leaf texts to code numbers and back.
//
// Decimal conversion is quadratic, so it works on 32-bit limbs nine digits
// at a time: reading multiplies the value by 10^9 and adds the next chunk;
// writing divides by 10^9 and keeps each remainder as a nine-digit chunk.
// A limb times 10^9 plus a carry stays below 2^62.
#include <cstdint>
#include <vector>

#include "numbers/bits.hpp"

namespace vesk {

namespace {

using Limbs = std::vector<std::uint32_t>;  // little-endian, no top zero limb

constexpr std::uint32_t kChunk = 1'000'000'000;
constexpr std::size_t kChunkDigits = 9;

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool all_digits(std::string_view text) {
    for (char c : text)
        if (!is_digit(c)) return false;
    return true;
}

void mul_add(Limbs& v, std::uint32_t mul, std::uint32_t add) {
    std::uint64_t carry = add;
    for (std::uint32_t& limb : v) {
        std::uint64_t x = std::uint64_t{limb} * mul + carry;
        limb = static_cast<std::uint32_t>(x);
        carry = x >> 32;
    }
    if (carry != 0) v.push_back(static_cast<std::uint32_t>(carry));
}

// Divides in place and returns the remainder; drops a zero top limb.
std::uint32_t div_chunk(Limbs& v) {
    std::uint64_t rem = 0;
    for (std::size_t j = v.size(); j-- > 0;) {
        std::uint64_t x = (rem << 32) | v[j];
        v[j] = static_cast<std::uint32_t>(x / kChunk);
        rem = x % kChunk;
    }
    while (!v.empty() && v.back() == 0) v.pop_back();
    return static_cast<std::uint32_t>(rem);
}

std::uint32_t chunk_value(std::string_view digits) {
    std::uint32_t x = 0;
    for (char c : digits) x = x * 10 + static_cast<std::uint32_t>(c - '0');
    return x;
}

// The first chunk takes the odd digits so every later one is full.
Limbs decimal_limbs(std::string_view digits) {
    Limbs v;
    v.reserve(digits.size() / kChunkDigits / 3 + 2);
    std::size_t first = digits.size() % kChunkDigits;
    if (first == 0) first = kChunkDigits;
    mul_add(v, 1, chunk_value(digits.substr(0, first)));
    for (std::size_t at = first; at < digits.size(); at += kChunkDigits)
        mul_add(v, kChunk, chunk_value(digits.substr(at, kChunkDigits)));
    while (!v.empty() && v.back() == 0) v.pop_back();
    return v;
}

// Chunks come out least significant first; all but the top are zero-padded.
Bytes limbs_decimal(Limbs v) {
    if (v.empty()) return "0";
    std::vector<std::uint32_t> chunks;
    while (!v.empty()) chunks.push_back(div_chunk(v));
    Bytes out = std::to_string(chunks.back());
    out.reserve(out.size() + (chunks.size() - 1) * kChunkDigits);
    for (std::size_t j = chunks.size() - 1; j-- > 0;) {
        char buf[kChunkDigits];
        std::uint32_t x = chunks[j];
        for (std::size_t d = kChunkDigits; d-- > 0; x /= 10)
            buf[d] = static_cast<char>('0' + x % 10);
        out.append(buf, kChunkDigits);
    }
    return out;
}

Limbs bytes_limbs(std::string_view s) {
    Limbs v((s.size() + 3) / 4, 0);
    for (std::size_t j = 0; j < s.size(); ++j)
        v[j / 4] |= std::uint32_t{static_cast<unsigned char>(s[j])} << (8 * (j % 4));
    while (!v.empty() && v.back() == 0) v.pop_back();
    return v;
}

BitString limbs_bytes(const Limbs& v) {
    BitString out(v.size() * 4, '\0');
    for (std::size_t j = 0; j < out.size(); ++j)
        out[j] = static_cast<char>(static_cast<unsigned char>(v[j / 4] >> (8 * (j % 4))));
    return trim_bits(std::move(out));
}

// The value 4d + low of decimal digits d.
BitString four_d_plus(std::string_view digits, std::uint32_t low) {
    Limbs v = decimal_limbs(digits);
    mul_add(v, 4, low);
    return limbs_bytes(v);
}

// s shifted down by k bits.
BitString shift_down(std::string_view s, std::size_t k) {
    std::size_t whole = k / 8;
    unsigned part = static_cast<unsigned>(k % 8);
    if (whole >= s.size()) return BitString();
    BitString out(s.size() - whole, '\0');
    for (std::size_t j = 0; j < out.size(); ++j) {
        unsigned lo = static_cast<unsigned char>(s[whole + j]);
        unsigned hi = whole + j + 1 < s.size() ? static_cast<unsigned char>(s[whole + j + 1]) : 0;
        out[j] = static_cast<char>(static_cast<unsigned char>(((hi << 8) | lo) >> part));
    }
    return trim_bits(std::move(out));
}

Bytes bits_decimal(std::string_view s) {
    return limbs_decimal(bytes_limbs(s));
}

std::size_t trailing_zero_bits(std::string_view s) {
    std::size_t i = 0;
    while (!bit_at(i, s)) ++i;
    return i;
}

}  // namespace

BitString text_to_bits(std::string_view text) {
    VESK_ASSERT(!text.empty());
    VESK_ASSERT(all_digits(text));
    if (text == "0") return BitString(1, '\x03');
    if (text[0] != '0') return four_d_plus(text, 3);
    if (text[1] != '0') return four_d_plus(text.substr(1), 1);
    // "00", z more zeros, then perhaps D: bit z+1 set, D from bit z+2 up.
    std::size_t z = 0;
    while (2 + z < text.size() && text[2 + z] == '0') ++z;
    BitString low = set_bit(z + 1, true, BitString());
    std::string_view rest = text.substr(2 + z);
    if (rest.empty()) return trim_bits(std::move(low));
    return add_bits(low, shift_bits(limbs_bytes(decimal_limbs(rest)), z + 2));
}

Bytes bits_to_text(std::string_view bits) {
    VESK_ASSERT(is_canonical_bits(bits));
    VESK_ASSERT(!(bits.size() == 1 && bits[0] == '\x01'));
    if (bit_at(0, bits)) {
        Bytes d = bits_decimal(shift_down(bits, 2));
        return bit_at(1, bits) ? d : "0" + d;
    }
    std::size_t t = trailing_zero_bits(bits);
    Bytes out = "00";
    out.append(t - 1, '0');
    BitString above = shift_down(bits, t + 1);
    if (!is_zero_bits(above)) out += bits_decimal(above);
    return out;
}

std::optional<BitString> checked_text_to_bits(std::string_view text) {
    if (text.empty() || !all_digits(text)) return std::nullopt;
    return text_to_bits(text);
}

std::optional<Bytes> checked_bits_to_text(std::string_view bits) {
    if (!is_canonical_bits(bits) || (bits.size() == 1 && bits[0] == '\x01')) return std::nullopt;
    return bits_to_text(bits);
}

}  // namespace vesk
