#include "numbers/small_integers.hpp"

#include <bit>
#include <cstring>

namespace vesk {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// ---- Decimal digits a word at a time ----------------------------------------
// A leaf's text may be read in 8-byte words (term.hpp), so a short number is
// read with a handful of word operations instead of a loop over its bytes.
// The words are little-endian: the first text byte is the low byte.

constexpr std::uint64_t kZeroBytes = 0x3030303030303030u;

std::uint64_t load_word(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

bool all_digit_bytes(std::uint64_t w) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
    return ((w & kHigh) | (((w + 0x0606060606060606u) & kHigh) >> 4)) == 0x3333333333333333u;
}

// The value of eight digit bytes, the low byte the most significant digit.
std::uint64_t eight_digits(std::uint64_t w) {
    w = ((w & 0x0F0F0F0F0F0F0F0Fu) * 2561) >> 8;
    w = ((w & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
    return ((w & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32;
}

// text[from, to), 1 to 8 bytes, as a word of eight bytes with '0' bytes in
// front of them. Reads only words inside the text's block.
std::uint64_t digits_word(const char* text, std::size_t from, std::size_t to) {
    std::uint64_t w = to >= 8 ? load_word(text + to - 8) : load_word(text) << (8 * (8 - to));
    std::size_t front = 8 - (to - from);  // bytes before `from`, below 8
    std::uint64_t mask = front == 0 ? 0 : (std::uint64_t{1} << (8 * front)) - 1;
    return (w & ~mask) | (kZeroBytes & mask);
}

// The value of the digits text[from, to) of a leaf's text, or empty when
// one is not a digit or there are more than 18.
std::optional<std::int64_t> leaf_decimal(const char* text, std::size_t from, std::size_t to) {
    std::size_t k = to - from;
    if constexpr (std::endian::native != std::endian::little) {
        return short_decimal(std::string_view(text + from, k));
    }
    // A loop is quicker for very short texts, and the only way past 16.
    if (k <= 3 || k > 16) return short_decimal(std::string_view(text + from, k));
    std::uint64_t low = digits_word(text, k > 8 ? to - 8 : from, to);
    if (!all_digit_bytes(low)) return std::nullopt;
    std::uint64_t value = eight_digits(low);
    if (k > 8) {
        std::uint64_t high = digits_word(text, from, to - 8);
        if (!all_digit_bytes(high)) return std::nullopt;
        value += eight_digits(high) * 100'000'000u;
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace

std::optional<std::int64_t> short_decimal(std::string_view digits) {
    if (digits.empty() || digits.size() > kFastDigits) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (!is_digit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<std::int64_t> small_integer(const Term* t) {
    if (!is_leaf_cell(t)) return std::nullopt;
    if (has_value_word(t)) return value_word(t);
    const char* text = leaf_chars(t);
    std::uint32_t n = span_of(t);  // 0 for a name leaf or a huge number
    if (!is_digit(text[0]) || n == 0) return std::nullopt;
    if (text[0] != '0') return leaf_decimal(text, 0, n);
    if (n == 1) return 0;
    if (text[1] == '0') return std::nullopt;  // a bit string
    std::optional<std::int64_t> size = leaf_decimal(text, 1, n);
    if (!size) return std::nullopt;
    return -*size;
}

}  // namespace vesk
