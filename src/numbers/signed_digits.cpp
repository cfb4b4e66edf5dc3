// Reading integer terms as signed digits, and making canonical result leaves.
#include "numbers/signed_digits.hpp"

#include <cstring>

#include "numbers/bit_lists.hpp"

namespace vesk {

namespace {

bool all_digits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of v ending just before `end`, two at a time;
// returns the start.
char* put_digits_backwards(std::uint64_t v, char* end) {
    while (v >= 100) {
        end -= 2;
        std::memcpy(end, kPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10) {
        end -= 2;
        std::memcpy(end, kPairs + 2 * v, 2);
    } else {
        *--end = static_cast<char>('0' + v);
    }
    return end;
}

}  // namespace

std::optional<SignedDigits> read_integer_text(std::string_view text) {
    if (text.empty() || !all_digits(text)) return std::nullopt;
    if (text[0] != '0') return SignedDigits{false, text};
    if (text.size() == 1) return SignedDigits{false, text};
    if (text[1] == '0') return std::nullopt;  // "00...": a bit string, not an integer
    return SignedDigits{true, text.substr(1)};
}

std::optional<SignedDigits> read_integer(const Term* t, Bytes& storage) {
    if (is_leaf_cell(t)) {
        if (is_leaf_named(t, 'K')) return SignedDigits{false, "0"};
        unsigned char c = first_byte(t);
        if (c < '0' || c > '9') return std::nullopt;
        return read_integer_text(leaf_view(t));
    }
    if (!starts_with_bit(t, 'K')) return std::nullopt;
    if (!bit_list_text(t, storage)) return std::nullopt;
    return read_integer_text(storage);
}

std::uint64_t small_value(std::string_view digits) {
    VESK_ASSERT(digits.size() <= kSmallDigits);
    std::uint64_t v = 0;
    for (char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
    return v;
}

TermRef number_result(std::string_view text) {
    Term* cell = make_leaf(text);
    set_arity(cell, 1);
    return TermRef(cell);
}

TermRef integer_result(bool negative, std::string_view digits) {
    if (!negative || digits == "0") return number_result(digits);
    char buf[64];  // short texts are written here, so they allocate nothing
    Bytes text;
    char* at = buf;
    if (digits.size() >= sizeof buf) {
        text.resize(digits.size() + 1);
        at = text.data();
    }
    at[0] = '0';
    std::memcpy(at + 1, digits.data(), digits.size());
    return number_result(std::string_view(at, digits.size() + 1));
}

namespace {

std::size_t decimal_width(std::uint64_t v) {
    std::size_t n = 1;
    for (; v >= 10000; v /= 10000) n += 4;
    return n + (v >= 10) + (v >= 100) + (v >= 1000);
}

// The most digits a leaf's value word is kept for: the integers that are
// read back by value.
constexpr std::size_t kValueWordDigits = 18;

// The leaf of a 64-bit magnitude, its digits written straight into the
// cell: the machine makes one on almost every sum, difference and product.
// One of at most 18 digits keeps its value beside them, for the next sum.
TermRef word_result(bool negative, std::uint64_t v) {
    std::size_t sign = negative && v != 0 ? 1 : 0;
    std::size_t width = decimal_width(v);
    std::size_t n = sign + width;
    auto value = static_cast<std::int64_t>(v);  // below 10^18 when kept
    Term* cell = width <= kValueWordDigits ? make_integer_leaf(n, sign != 0 ? -value : value)
                                           : make_blank_leaf(n);
    char* body = blank_leaf_body(cell);
    put_digits_backwards(v, body + n);
    if (sign != 0) body[0] = '0';
    seal_number_leaf(cell, n);
    set_arity(cell, 1);
    return TermRef(cell);
}

}  // namespace

TermRef integer_result(bool negative, U128 magnitude) {
    if (magnitude <= UINT64_MAX)
        return word_result(negative, static_cast<std::uint64_t>(magnitude));
    constexpr std::uint64_t kTen19 = 10'000'000'000'000'000'000u;
    char buf[48];
    char* end = buf + sizeof buf;
    char* start = end;
    // Groups of 19 digits from the low end while the rest does not fit 64
    // bits: a 128-bit value can need three groups (2^128 > 10^19 * 2^64).
    U128 rest = magnitude;
    while (rest > UINT64_MAX) {
        char* group_end = start;
        start = put_digits_backwards(static_cast<std::uint64_t>(rest % kTen19), start);
        while (start > group_end - 19) *--start = '0';
        rest /= kTen19;
    }
    start = put_digits_backwards(static_cast<std::uint64_t>(rest), start);
    if (negative && magnitude != 0) *--start = '0';
    return number_result(std::string_view(start, static_cast<std::size_t>(end - start)));
}

TermRef integer_result(bool negative, const Natural& magnitude) {
    Bytes text;
    text.reserve(natural_digit_count(magnitude) + 1);
    if (negative && !magnitude.empty()) text.push_back('0');
    append_natural_digits(magnitude, text);
    return number_result(text);
}

TermRef failure_leaf() {
    return TermRef("Z");
}

}  // namespace vesk
