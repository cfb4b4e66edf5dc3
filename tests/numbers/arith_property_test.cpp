// Integer arithmetic against independent references: 128-bit host
// arithmetic where results fit, and the identities of division, sums and
// powers for random operands of up to 2,000 digits.
#include <gtest/gtest.h>

#include <random>

#include "numbers/arith.hpp"
#include "numbers/integers.hpp"
#include "numbers/wide.hpp"

namespace vesk {
namespace {

// The canonical text of a 128-bit value, written independently of the code
// under test.
Bytes canonical(I128 v) {
    bool negative = v < 0;
    U128 m = negative ? static_cast<U128>(-v) : static_cast<U128>(v);
    Bytes digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    return negative && digits != "0" ? "0" + digits : digits;
}

bool is_canonical_integer(const Bytes& t) {
    if (t.empty()) return false;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
    }
    if (t == "0") return true;
    std::size_t first = t[0] == '0' ? 1 : 0;
    return first < t.size() && t[first] != '0';
}

TermRef leaf(const Bytes& text) {
    return TermRef(Bytes(text));
}

I128 floor_div(I128 a, I128 b) {
    I128 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// The remainder a - b q of floor division, negated for negative divisors,
// so it is never negative.
I128 cent_reference(I128 a, I128 b) {
    I128 r = a - b * floor_div(a, b);
    return b < 0 ? -r : r;
}

// 64-bit operands, weighted towards the edges of the fast paths.
std::int64_t edge_value(std::mt19937_64& rng) {
    switch (rng() % 6) {
        case 0: return static_cast<std::int64_t>(rng() % 21) - 10;
        case 1: return INT64_MAX - static_cast<std::int64_t>(rng() % 3);
        case 2: return INT64_MIN + static_cast<std::int64_t>(rng() % 3);
        case 3: return static_cast<std::int64_t>(rng() >> (rng() % 63));
        case 4: return -static_cast<std::int64_t>(rng() >> (1 + rng() % 63));
        default: return static_cast<std::int64_t>(rng());
    }
}

TEST(IntegerProperties, AgreeWith128BitArithmetic) {
    std::mt19937_64 rng(11);
    for (int i = 0; i < 20000; ++i) {
        I128 x = edge_value(rng);
        I128 y = edge_value(rng);
        if (i % 7 == 0) x *= static_cast<I128>(rng() % 1000000 + 1);  // beyond 64 bits
        Bytes a = canonical(x);
        Bytes b = canonical(y);
        ASSERT_EQ(leaf_text(int_plus(leaf(a), leaf(b))), canonical(x + y)) << a << " + " << b;
        ASSERT_EQ(leaf_text(int_dash(leaf(a), leaf(b))), canonical(x - y)) << a << " - " << b;
        if (x < (I128{1} << 64) && x > -(I128{1} << 64)) {
            ASSERT_EQ(leaf_text(int_mult(leaf(a), leaf(b))), canonical(x * y)) << a << " * " << b;
        }
        if (y != 0) {
            ASSERT_EQ(leaf_text(int_over(leaf(a), leaf(b))), canonical(floor_div(x, y)))
                << a << " / " << b;
            ASSERT_EQ(leaf_text(int_cent(leaf(a), leaf(b))), canonical(cent_reference(x, y)))
                << a << " % " << b;
        }
        ASSERT_EQ(int_less(leaf(a), leaf(b)), x < y);
        ASSERT_EQ(int_gteq(leaf(a), leaf(b)), x >= y);
        ASSERT_EQ(is_even(leaf(a)), x % 2 == 0);
        ASSERT_EQ(leaf_text(negate(leaf(a))), canonical(-x));
        ASSERT_EQ(int_value(leaf(a)), static_cast<std::int64_t>(static_cast<std::uint64_t>(x)));
    }
}

TEST(IntegerProperties, SmallPowersAgreeWith128BitArithmetic) {
    for (int base = -12; base <= 12; ++base) {
        I128 expected = 1;
        for (int e = 0; e < 36; ++e) {
            Bytes got = leaf_text(int_powa(leaf(canonical(base)), leaf(canonical(e))));
            ASSERT_EQ(got, canonical(expected)) << base << "^" << e;
            if ((expected > 0 ? expected : -expected) > (I128{1} << 120) / 13) break;
            expected *= base;
        }
    }
}

// Up to 2^128 - 1, where the small path's results need three 19-digit
// groups once they pass 10^19 * 2^64 (5^55 and 11^37 lie there).
TEST(IntegerProperties, PowersAgreeWithUnsigned128BitArithmeticToTheTop) {
    auto text = [](U128 m) {
        Bytes digits;
        do {
            digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
            m /= 10;
        } while (m != 0);
        return digits;
    };
    for (unsigned base = 2; base <= 40; ++base) {
        U128 expected = 1;
        for (int e = 0;; ++e) {
            Bytes got = leaf_text(int_powa(leaf(text(base)), leaf(canonical(e))));
            ASSERT_EQ(got, text(expected)) << base << "^" << e;
            if (__builtin_mul_overflow(expected, U128{base}, &expected)) break;
        }
    }
}

Bytes random_integer(std::mt19937_64& rng, std::size_t max_digits) {
    std::size_t len = 1 + rng() % max_digits;
    Bytes digits(len, '0');
    for (char& c : digits) c = static_cast<char>('0' + rng() % 10);
    if (rng() % 4 == 0) {
        for (std::size_t k = 1; k < len; ++k) digits[k] = rng() % 2 ? '9' : digits[k - 1];
    }
    digits[0] = static_cast<char>('1' + rng() % 9);
    return rng() % 2 ? "0" + digits : digits;
}

TEST(IntegerProperties, LargeOperandIdentities) {
    std::mt19937_64 rng(12);
    for (int i = 0; i < 200; ++i) {
        Bytes a = random_integer(rng, 2000);
        Bytes b = random_integer(rng, i % 3 == 0 ? 30 : 2000);
        Bytes sum = leaf_text(int_plus(leaf(a), leaf(b)));
        ASSERT_TRUE(is_canonical_integer(sum));
        ASSERT_EQ(leaf_text(int_dash(leaf(sum), leaf(b))), a);
        Bytes product = leaf_text(int_mult(leaf(a), leaf(b)));
        ASSERT_TRUE(is_canonical_integer(product));
        ASSERT_EQ(leaf_text(int_over(leaf(product), leaf(b))), a);
        ASSERT_EQ(leaf_text(int_cent(leaf(product), leaf(b))), "0");
        ASSERT_EQ(int_less(leaf(a), leaf(b)), !int_gteq(leaf(a), leaf(b)));

        // a = b * q + r with 0 <= r < |b|, floor rounding for either sign.
        Bytes q = leaf_text(int_over(leaf(a), leaf(b)));
        Bytes r = leaf_text(int_cent(leaf(a), leaf(b)));
        ASSERT_TRUE(is_canonical_integer(q));
        ASSERT_TRUE(is_non_negative(leaf(r)));
        ASSERT_TRUE(int_less(leaf(r), magnitude(leaf(b))));
        Bytes rest = leaf_text(int_dash(leaf(a), int_mult(leaf(b), leaf(q))));
        if (is_non_negative(leaf(b))) {
            ASSERT_EQ(rest, r) << a << " / " << b;
        } else {
            // Floor rounding leaves a - b q in (b, 0]; the remainder is its
            // negation.
            ASSERT_FALSE(int_less(leaf("0"), leaf(rest)));
            ASSERT_TRUE(int_less(leaf(b), leaf(rest)));
            Bytes expected = leaf_text(negate(leaf(rest)));
            ASSERT_EQ(r, expected) << a << " / " << b;
        }
    }
}

TEST(IntegerProperties, PowersMultiplyAsExponentsAdd) {
    std::mt19937_64 rng(13);
    for (int i = 0; i < 30; ++i) {
        Bytes a = random_integer(rng, 40);
        int e = static_cast<int>(rng() % 60);
        int f = static_cast<int>(rng() % 60);
        Bytes pe = leaf_text(int_powa(leaf(a), leaf(canonical(e))));
        Bytes pf = leaf_text(int_powa(leaf(a), leaf(canonical(f))));
        Bytes pef = leaf_text(int_powa(leaf(a), leaf(canonical(e + f))));
        ASSERT_EQ(leaf_text(int_mult(leaf(pe), leaf(pf))), pef) << a << " " << e << " " << f;
        // By repeated multiplication.
        TermRef step("1");
        for (int k = 0; k < e; ++k) step = int_mult(step, leaf(a));
        ASSERT_EQ(leaf_text(step), pe);
    }
}

TEST(IntegerProperties, ThousandsOfDigitsStayExact) {
    // 1000! / 999! = 1000, and 2^10000 has 3011 digits ending in ...09376.
    TermRef f("1");
    for (int k = 2; k <= 1000; ++k) f = int_mult(f, int_term(k));
    Bytes fact = leaf_text(f);
    EXPECT_EQ(fact.size(), 2568u);
    EXPECT_EQ(fact.substr(0, 10), "4023872600");
    EXPECT_EQ(fact.substr(fact.size() - 249), Bytes(249, '0'));
    TermRef g = f;
    for (int k = 1000; k >= 2; --k) g = int_over(g, int_term(k));
    EXPECT_EQ(leaf_text(g), "1");
    Bytes two = leaf_text(int_powa(TermRef("2"), TermRef("10000")));
    EXPECT_EQ(two.size(), 3011u);
    EXPECT_EQ(two.substr(0, 8), "19950631");
    EXPECT_EQ(two.substr(two.size() - 5), "09376");
}

}  // namespace
}  // namespace vesk
