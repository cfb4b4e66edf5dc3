// Fuzz target: integer arithmetic on number leaves against GMP. The input
// gives an operator, two signs and two digit strings; every result must
// equal GMP's, written as a number leaf ("0" before the digits of a
// negative value).
#include <gmp.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "numbers/arith.hpp"
#include "terms/term.hpp"

namespace {

struct Mpz {
    mpz_t v;
    Mpz() { mpz_init(v); }
    ~Mpz() { mpz_clear(v); }
};

// Digits from bytes (each byte modulo 10), leading zeros dropped: the
// canonical leaf of the value, and the same value in GMP.
std::string leaf_text(std::string_view bytes, bool negative, Mpz& value) {
    std::string digits;
    for (char c : bytes) {
        char d = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
        if (digits.empty() && d == '0') continue;
        digits += d;
    }
    if (digits.empty()) digits = "0";
    mpz_set_str(value.v, digits.c_str(), 10);
    if (negative && digits != "0") {
        mpz_neg(value.v, value.v);
        return "0" + digits;
    }
    return digits;
}

std::string leaf_of_mpz(const Mpz& value) {
    char* text = mpz_get_str(nullptr, 10, value.v);
    std::string s = text[0] == '-' ? "0" + std::string(text + 1) : std::string(text);
    void (*release)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &release);
    release(text, std::char_traits<char>::length(text) + 1);
    return s;
}

// GMP's answer for operator `op`, or "Z" where the leaf Z is the answer.
std::string reference(int op, const Mpz& a, const Mpz& b) {
    Mpz r;
    switch (op) {
        case 0: mpz_add(r.v, a.v, b.v); break;
        case 1: mpz_sub(r.v, a.v, b.v); break;
        case 2: mpz_mul(r.v, a.v, b.v); break;
        case 3:
            if (mpz_sgn(b.v) == 0) return "Z";
            mpz_fdiv_q(r.v, a.v, b.v);
            break;
        case 4:
            if (mpz_sgn(b.v) == 0) return "Z";
            // Never negative: a - bq for b > 0, bq - a for b < 0.
            mpz_fdiv_r(r.v, a.v, b.v);
            mpz_abs(r.v, r.v);
            break;
        default:
            if (mpz_sgn(b.v) < 0) return "0";
            mpz_pow_ui(r.v, a.v, mpz_get_ui(b.v));
            break;
    }
    return leaf_of_mpz(r);
}

vesk::TermRef compute(int op, vesk::TermRef a, vesk::TermRef b) {
    switch (op) {
        case 0: return vesk::int_plus(std::move(a), std::move(b));
        case 1: return vesk::int_dash(std::move(a), std::move(b));
        case 2: return vesk::int_mult(std::move(a), std::move(b));
        case 3: return vesk::int_over(std::move(a), std::move(b));
        case 4: return vesk::int_cent(std::move(a), std::move(b));
        default: return vesk::int_powa(std::move(a), std::move(b));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    int op = data[0] % 6;
    bool a_negative = (data[1] & 1) != 0, b_negative = (data[1] & 2) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    std::size_t cut = rest.find('\xff');
    std::string_view a_bytes = rest.substr(0, cut);
    std::string_view b_bytes = cut == std::string_view::npos ? "" : rest.substr(cut + 1);
    // Powers keep to small exponents: the size guard is tested elsewhere.
    // Powers keep to small operands (at most 100 digits to a power of at
    // most 99 stays below the fuzz build's guard of 10,000 digits); the
    // guard has tests of its own.
    if (op == 5 && a_bytes.size() > 100) a_bytes = a_bytes.substr(0, 100);
    if (op == 5 && b_bytes.size() > 2) b_bytes = b_bytes.substr(0, 2);
    Mpz a, b;
    std::string a_leaf = leaf_text(a_bytes, a_negative, a);
    std::string b_leaf = leaf_text(b_bytes, b_negative, b);
    std::string want = reference(op, a, b);
    vesk::TermRef got = compute(op, vesk::leaf_term(a_leaf), vesk::leaf_term(b_leaf));
    std::string_view got_text = vesk::leaf_view(got.cell);
    if (!vesk::is_leaf_cell(got.cell) || got_text != want) {
        std::fprintf(stderr, "FINDING: op %d of %s and %s gave %s, GMP says %s\n", op,
                     a_leaf.c_str(), b_leaf.c_str(), std::string(got_text).c_str(), want.c_str());
        std::abort();
    }
    return 0;
}
