// Integers as terms: host conversions, shape tests, sign and magnitude.
#include "numbers/integers.hpp"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "numbers/bit_lists.hpp"
#include "numbers/signed_digits.hpp"

namespace vesk {

namespace {

// Reads an integer term or asserts: for the plain operations, whose callers
// have established the shape.
SignedDigits must_read(const Term* t, Bytes& storage) {
    std::optional<SignedDigits> x = read_integer(t, storage);
    VESK_ASSERT(x.has_value());
    return *x;
}

// The magnitude's digits modulo 2^64 (unsigned arithmetic wraps).
std::uint64_t wrapped_value(std::string_view digits) {
    std::uint64_t v = 0;
    for (char c : digits) v = v * 10 + static_cast<std::uint64_t>(c - '0');
    return v;
}

std::int64_t host_value(const SignedDigits& x) {
    std::uint64_t u = wrapped_value(x.digits);
    return static_cast<std::int64_t>(x.negative ? 0 - u : u);
}

TermRef real_leaf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Bytes text(9, ' ');
    for (int i = 0; i < 8; ++i) text[1 + i] = static_cast<char>((bits >> (8 * i)) & 0xff);
    return TermRef(std::move(text));
}

TermRef real_of(const SignedDigits& x) {
    Bytes text;
    text.reserve(x.digits.size() + 2);
    if (x.negative) text.push_back('-');
    text.append(x.digits);
    return real_leaf(std::strtod(text.c_str(), nullptr));
}

// A non-negative decimal leaf is its own magnitude; x was read from t.
TermRef magnitude_of(TermRef t, const SignedDigits& x) {
    if (is_leaf_cell(t.get()) && !x.negative && first_byte(t.get()) != 'K') return t;
    return integer_result(false, x.digits);
}

// The numb of a code number: bit 0 to bit 1, bit i >= 1 to bit 2i.
TermRef widen_code(const BitString& v) {
    if (v.size() == 1 && v[0] == '\1') return number_result("00");
    BitString w(2 * v.size(), '\0');
    auto bit = [&v](std::size_t i) {
        return (static_cast<unsigned char>(v[i / 8]) >> (i % 8)) & 1u;
    };
    auto set = [&w](std::size_t i) {
        w[i / 8] = static_cast<char>(static_cast<unsigned char>(w[i / 8]) | (1u << (i % 8)));
    };
    if (bit(0)) set(1);
    for (std::size_t i = 1; i < 8 * v.size(); ++i) {
        if (bit(i)) set(2 * i);
    }
    while (!w.empty() && w.back() == '\0') w.pop_back();
    return number_result(bits_to_text(w));
}

}  // namespace

TermRef int_term(std::int64_t value) {
    std::uint64_t m =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return integer_result(value < 0, U128{m});
}

TermRef uint_term(std::uint64_t value) {
    return integer_result(false, U128{value});
}

Bytes int_text(std::int64_t value) {
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%" PRIi64, value);
    return Bytes(buf, static_cast<std::size_t>(n));
}

// ---- Shape tests ---------------------------------------------------------------

bool is_integer(TermRef t) {
    const Term* c = t.get();
    if (!is_leaf_cell(c)) return starts_with_bit(c, 'K');
    if (is_leaf_named(c, 'K')) return true;
    std::string_view text = leaf_view(c);
    if (text.empty()) return false;
    if (text[0] == '0') return text.size() == 1 || text[1] != '0';
    return text[0] >= '1' && text[0] <= '9';
}

void require_integer(TermRef t) {
    VESK_ASSERT(is_integer(std::move(t)));
}

bool is_number_shape(const TermRef& t) {
    const Term* c = t.get();
    if (is_leaf_cell(c))
        return is_leaf_named(c, 'K') || (first_byte(c) >= '0' && first_byte(c) <= '9');
    return starts_with_bit(c, 'K') || starts_with_bit(c, 'H');
}

bool is_complete_bit_list(const TermRef& t) {
    return is_complete_chain(t.get());
}

bool is_integer_value(const TermRef& t) {
    Bytes storage;
    return read_integer(t.get(), storage).has_value();
}

// ---- Conversions ---------------------------------------------------------------

std::optional<bool> checked_is_non_negative(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    return !x->negative;
}

bool is_non_negative(TermRef t) {
    Bytes storage;
    return !must_read(t.get(), storage).negative;
}

std::optional<TermRef> checked_magnitude(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    return magnitude_of(std::move(t), *x);
}

TermRef magnitude(TermRef t) {
    Bytes storage;
    SignedDigits x = must_read(t.get(), storage);
    return magnitude_of(std::move(t), x);
}

std::optional<std::int64_t> checked_int_value(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    return host_value(*x);
}

std::int64_t int_value(TermRef t) {
    Bytes storage;
    return host_value(must_read(t.get(), storage));
}

std::optional<Bytes> checked_decimal_text(TermRef t) {
    const Term* c = t.get();
    if (is_leaf_named(c, 'K')) return Bytes("0");
    if (is_leaf_cell(c)) {
        if (!is_digit_leaf(c)) return std::nullopt;
        return Bytes(leaf_view(c));
    }
    Bytes text;
    if (!bit_list_text(c, text)) return std::nullopt;
    return text;
}

Bytes decimal_text(TermRef t) {
    std::optional<Bytes> text = checked_decimal_text(std::move(t));
    VESK_ASSERT(text.has_value());
    return std::move(*text);
}

std::optional<TermRef> checked_real_value(TermRef t) {
    Bytes storage;
    std::optional<SignedDigits> x = read_integer(t.get(), storage);
    if (!x) return std::nullopt;
    return real_of(*x);
}

TermRef real_value(TermRef t) {
    Bytes storage;
    return real_of(must_read(t.get(), storage));
}

std::optional<TermRef> checked_widen(TermRef t) {
    const Term* c = t.get();
    bool integer = is_leaf_cell(c) ? is_leaf_named(c, 'K') || read_integer_text(leaf_view(c))
                                   : starts_with_bit(c, 'K');
    if (!integer) return std::nullopt;
    std::optional<BitString> v = term_code_number(c);
    if (!v) return std::nullopt;
    return widen_code(*v);
}

TermRef widen(TermRef t) {
    std::optional<TermRef> w = checked_widen(std::move(t));
    VESK_ASSERT(w.has_value());
    return std::move(*w);
}

std::optional<BitString> code_number(const TermRef& t) {
    return term_code_number(t.get());
}

}  // namespace vesk
