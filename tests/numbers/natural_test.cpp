// The limb engine against an independent digit-by-digit reference, and its
// fast algorithms against its own quadratic ones across their thresholds.
#include "numbers/natural.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "numbers/wide.hpp"

namespace vesk {
namespace {

std::string text_of(const Natural& n) {
    Bytes out;
    append_natural_digits(n, out);
    return out;
}

Natural nat(const std::string& digits) {
    return natural_from_digits(digits);
}

std::string u128_text(U128 v) {
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    return s;
}

// A random digit string of exactly `len` digits (no leading zero).
std::string random_digits(std::mt19937_64& rng, std::size_t len) {
    std::string s(len, '0');
    for (char& c : s) c = static_cast<char>('0' + rng() % 10);
    if (s[0] == '0') s[0] = static_cast<char>('1' + rng() % 9);
    return s;
}

// Digits with long runs of 9s and 0s, which exercise every carry and borrow.
std::string lumpy_digits(std::mt19937_64& rng, std::size_t len) {
    std::string s(len, '9');
    for (std::size_t i = 1; i < len; ++i) {
        if (rng() % 50 == 0)
            s[i] = (s[i - 1] == '9') ? '0' : '9';
        else
            s[i] = s[i - 1];
    }
    s[0] = '9';
    return s;
}

// ---- An independent reference on decimal strings, one digit at a time ----

std::string ref_mul(const std::string& x, const std::string& y) {
    std::vector<int> acc(x.size() + y.size(), 0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = 0; j < y.size(); ++j) {
            acc[i + j + 1] += (x[i] - '0') * (y[j] - '0');
        }
    }
    for (std::size_t k = acc.size(); k-- > 1;) {
        acc[k - 1] += acc[k] / 10;
        acc[k] %= 10;
    }
    std::string s;
    for (int d : acc) {
        if (s.empty() && d == 0) continue;
        s.push_back(static_cast<char>('0' + d));
    }
    return s.empty() ? "0" : s;
}

std::string ref_add(const std::string& x, const std::string& y) {
    std::string s;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(x.size(), y.size()) || carry; ++i) {
        int d = carry;
        if (i < x.size()) d += x[x.size() - 1 - i] - '0';
        if (i < y.size()) d += y[y.size() - 1 - i] - '0';
        s.insert(s.begin(), static_cast<char>('0' + d % 10));
        carry = d / 10;
    }
    return s;
}

TEST(NaturalText, DigitsRoundTripAndDropLeadingZeros) {
    EXPECT_EQ(text_of(nat("")), "0");
    EXPECT_EQ(text_of(nat("0000")), "0");
    EXPECT_TRUE(nat("000").empty());
    EXPECT_EQ(text_of(nat("000123")), "123");
    EXPECT_EQ(text_of(nat("1000000000")), "1000000000");
    EXPECT_EQ(nat("1000000000").size(), 2u);
    std::mt19937_64 rng(1);
    for (std::size_t len = 1; len < 60; ++len) {
        std::string s = random_digits(rng, len);
        EXPECT_EQ(text_of(nat(s)), s);
        EXPECT_EQ(natural_digit_count(nat(s)), len);
    }
}

TEST(NaturalText, HostValuesAtTheEdgeOf64Bits) {
    EXPECT_TRUE(natural_from_u64(0).empty());
    EXPECT_EQ(text_of(natural_from_u64(UINT64_MAX)), "18446744073709551615");
    EXPECT_TRUE(natural_fits_u64(nat("18446744073709551615")));
    EXPECT_FALSE(natural_fits_u64(nat("18446744073709551616")));
    EXPECT_FALSE(natural_fits_u64(nat("28446744073709551615")));
    EXPECT_TRUE(natural_fits_u64(nat("9446744073709551615")));
    EXPECT_EQ(natural_to_u64(nat("18446744073709551615")), UINT64_MAX);
    EXPECT_EQ(natural_to_u64(nat("1000000000000")), 1000000000000u);
}

TEST(NaturalArithmetic, AgreesWith128BitArithmetic) {
    std::mt19937_64 rng(2);
    for (int i = 0; i < 2000; ++i) {
        std::uint64_t x = rng() >> (rng() % 64);
        std::uint64_t y = rng() >> (rng() % 64);
        Natural a = natural_from_u64(x);
        Natural b = natural_from_u64(y);
        U128 p = static_cast<U128>(x) * y;
        Natural expected = nat(u128_text(p));
        EXPECT_EQ(mul_naturals(a, b), expected) << x << " * " << y;
        U128 s = static_cast<U128>(x) + y;
        Natural sum = add_naturals(a, b);
        if (s <= UINT64_MAX) {
            EXPECT_EQ(natural_to_u64(sum), static_cast<std::uint64_t>(s));
        } else {
            EXPECT_FALSE(natural_fits_u64(sum));
        }
        if (y != 0) {
            NaturalDivision d = divide_naturals(a, b);
            EXPECT_EQ(natural_to_u64(d.quotient), x / y);
            EXPECT_EQ(natural_to_u64(d.remainder), x % y);
        }
        if (x >= y) {
            EXPECT_EQ(natural_to_u64(sub_naturals(a, b)), x - y);
        }
        EXPECT_EQ(compare_naturals(a, b), x < y ? -1 : (x > y ? 1 : 0));
    }
}

TEST(NaturalArithmetic, SmallLimbSteps) {
    Natural n = nat("999999999999999999");
    add_limb_in_place(n, 1);
    EXPECT_EQ(text_of(n), "1000000000000000000");
    mul_limb_in_place(n, 999999999);
    EXPECT_EQ(text_of(n), "999999999000000000000000000");
    Natural q = n;
    Limb rest = div_limb_in_place(q, 7);
    EXPECT_EQ(rest, 5u);  // (10^9 - 1) * 10^18 = 6 - 1 (mod 7)
    mul_limb_in_place(q, 7);
    add_limb_in_place(q, rest);
    EXPECT_EQ(q, n);
    mul_limb_in_place(n, 0);
    EXPECT_TRUE(n.empty());
}

TEST(NaturalArithmetic, SumsAndProductsMatchTheDigitReference) {
    std::mt19937_64 rng(3);
    for (int i = 0; i < 120; ++i) {
        std::string x =
            i % 4 == 0 ? lumpy_digits(rng, 1 + rng() % 2000) : random_digits(rng, 1 + rng() % 2000);
        std::string y =
            i % 5 == 0 ? lumpy_digits(rng, 1 + rng() % 2000) : random_digits(rng, 1 + rng() % 2000);
        Natural a = nat(x);
        Natural b = nat(y);
        ASSERT_EQ(text_of(mul_naturals(a, b)), ref_mul(x, y)) << x.size() << "x" << y.size();
        ASSERT_EQ(text_of(add_naturals(a, b)), ref_add(x, y));
        EXPECT_EQ(sub_naturals(add_naturals(a, b), b), a);
        EXPECT_EQ(square_natural(a), mul_naturals(a, Natural(a)));
    }
}

TEST(NaturalArithmetic, KaratsubaAgreesWithSchoolbookAcrossTheThreshold) {
    std::mt19937_64 rng(4);
    const std::size_t t = kKaratsubaThreshold;
    std::vector<std::size_t> sizes = {t - 1,     t,         t + 1, 2 * t - 1, 2 * t,
                                      2 * t + 1, 3 * t + 7, 5 * t, 9 * t + 3, 17 * t};
    for (std::size_t la : sizes) {
        for (std::size_t lb : sizes) {
            Natural a = nat(random_digits(rng, la * kLimbDigits));
            Natural b = nat(random_digits(rng, lb * kLimbDigits - rng() % 5));
            Natural expected = schoolbook_product(a, b);
            ASSERT_EQ(mul_naturals(a, b), expected) << la << "x" << lb;
            ASSERT_EQ(karatsuba_product(a, b, 4), expected) << la << "x" << lb;
        }
        Natural a = nat(lumpy_digits(rng, la * kLimbDigits));
        EXPECT_EQ(square_natural(a), schoolbook_product(a, a)) << la;
        EXPECT_EQ(karatsuba_product(a, a, 4), schoolbook_product(a, a)) << la;
    }
}

TEST(NaturalArithmetic, ProductsWithZeroLimbRuns) {
    // Powers of the base have all-zero low halves, which the splitting must
    // handle as zero operands.
    Natural big = nat("1" + std::string(9 * 300, '0'));
    Natural other = nat("1" + std::string(9 * 170, '0') + "7");
    Natural p = mul_naturals(big, other);
    EXPECT_EQ(text_of(p), "1" + std::string(9 * 170, '0') + "7" + std::string(9 * 300, '0'));
    EXPECT_EQ(karatsuba_product(big, other, 4), p);
    EXPECT_EQ(square_natural(big), nat("1" + std::string(9 * 600, '0')));
    EXPECT_TRUE(mul_naturals(big, Natural{}).empty());
}

void check_division(const Natural& a, const Natural& b) {
    NaturalDivision d = divide_naturals(a, b);
    ASSERT_LT(compare_naturals(d.remainder, b), 0);
    ASSERT_EQ(add_naturals(mul_naturals(d.quotient, b), d.remainder), a)
        << a.size() << "/" << b.size();
}

TEST(NaturalDivision, QuotientTimesDivisorPlusRemainderIsTheDividend) {
    std::mt19937_64 rng(5);
    for (int i = 0; i < 150; ++i) {
        std::size_t la = 1 + rng() % 2000;
        std::size_t lb = 1 + rng() % la;
        Natural a = nat(i % 3 == 0 ? lumpy_digits(rng, la) : random_digits(rng, la));
        Natural b = nat(i % 7 == 0 ? lumpy_digits(rng, lb) : random_digits(rng, lb));
        check_division(a, b);
        check_division(b, a);
    }
}

TEST(NaturalDivision, RecursiveDivisionAgreesWithLongDivision) {
    std::mt19937_64 rng(6);
    const std::size_t t = kRecursiveDivisionThreshold;
    for (std::size_t lb : {t, t + 1, 2 * t - 1, 2 * t, 3 * t + 5, 8 * t + 1}) {
        for (std::size_t extra : {t, t + 3, 2 * t, 5 * t + 2}) {
            Natural b = nat(random_digits(rng, lb * kLimbDigits - rng() % 9));
            Natural a = nat(random_digits(rng, (lb + extra) * kLimbDigits));
            NaturalDivision fast = divide_naturals(a, b);
            NaturalDivision slow = long_division(a, b);
            ASSERT_EQ(fast.quotient, slow.quotient) << lb << "+" << extra;
            ASSERT_EQ(fast.remainder, slow.remainder) << lb << "+" << extra;
            check_division(a, b);
        }
    }
}

TEST(NaturalDivision, DeepRecursionWithSmallThresholds) {
    // Small thresholds drive small operands through every level of the
    // recursion: odd block sizes, saturated quotient blocks, corrections.
    std::mt19937_64 rng(8);
    for (std::size_t threshold : {2, 3, 4, 7}) {
        for (int i = 0; i < 60; ++i) {
            std::size_t lb = 1 + rng() % 400;
            std::size_t la = lb + rng() % 900;
            Natural a = nat(i % 4 == 0 ? lumpy_digits(rng, la) : random_digits(rng, la));
            Natural b = nat(i % 5 == 0 ? lumpy_digits(rng, lb) : random_digits(rng, lb));
            NaturalDivision fast = recursive_division(a, b, threshold);
            NaturalDivision slow = long_division(a, b);
            ASSERT_EQ(fast.quotient, slow.quotient) << threshold << ": " << la << "/" << lb;
            ASSERT_EQ(fast.remainder, slow.remainder) << threshold << ": " << la << "/" << lb;
        }
    }
    NaturalDivision d = recursive_division(nat("5"), nat("7"), 2);
    EXPECT_TRUE(d.quotient.empty());
    EXPECT_EQ(text_of(d.remainder), "5");
}

TEST(NaturalDivision, HardQuotientEstimates) {
    // Divisors with a small top limb need the largest scaling; dividends of
    // all 9s push every quotient estimate to its correction steps; exact
    // multiples leave a zero remainder.
    std::mt19937_64 rng(7);
    const std::size_t t = kRecursiveDivisionThreshold;
    for (std::size_t lb : {2 * kLimbDigits, t * kLimbDigits + 1, 4 * t * kLimbDigits + 1}) {
        Natural b = nat("1" + std::string(lb - 1, '0'));
        Natural nines = nat(std::string(3 * lb, '9'));
        check_division(nines, b);
        Natural b2 = nat("1" + std::string(lb - 2, '0') + "1");
        check_division(nines, b2);
        Natural q = nat(random_digits(rng, 2 * lb));
        NaturalDivision d = divide_naturals(mul_naturals(q, b2), b2);
        EXPECT_EQ(d.quotient, q);
        EXPECT_TRUE(d.remainder.empty());
        Natural b3 = nat(std::string(lb, '9'));
        check_division(nines, b3);
        check_division(sub_naturals(mul_naturals(b3, b3), nat("1")), b3);
    }
}

TEST(NaturalDivision, SmallerDividendGivesZeroQuotient) {
    NaturalDivision d = divide_naturals(nat("123"), nat("124"));
    EXPECT_TRUE(d.quotient.empty());
    EXPECT_EQ(text_of(d.remainder), "123");
    d = divide_naturals(Natural{}, nat("5"));
    EXPECT_TRUE(d.quotient.empty());
    EXPECT_TRUE(d.remainder.empty());
}

}  // namespace
}  // namespace vesk
