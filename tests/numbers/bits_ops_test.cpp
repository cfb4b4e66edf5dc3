#include <gtest/gtest.h>

#include <random>

#include "bits_test_util.hpp"
#include "numbers/bits.hpp"

namespace vesk {
namespace {

using bits_test::bits_u64;
using bits_test::u64_bits;

TEST(BitsBasics, BitsLengthsAndTrimming) {
    BitString s("\x05\x80", 2);  // bits 0, 2 and 15
    EXPECT_TRUE(bit_at(0, s));
    EXPECT_FALSE(bit_at(1, s));
    EXPECT_TRUE(bit_at(15, s));
    EXPECT_FALSE(bit_at(1000000, s));
    EXPECT_EQ(bit_length(s), 16u);
    EXPECT_EQ(bit_length(BitString("\x01\x00\x00", 3)), 1u);
    EXPECT_EQ(bit_length(zero_bytes(5)), 0u);
    EXPECT_EQ(trim_bits(BitString("\x03\x00\x00", 3)), "\x03");
    EXPECT_EQ(trim_bits(zero_bytes(4)), "");
    EXPECT_TRUE(is_zero_bits(zero_bytes(3)));
    EXPECT_FALSE(is_zero_bits(BitString("\x00\x10", 2)));
    EXPECT_FALSE(is_canonical_bits(BitString("\x02\x00", 2)));
    EXPECT_FALSE(is_canonical_bits(""));
}

TEST(BitsBasics, SetBitGrowsByBlocksOfEightBytes) {
    BitString s = set_bit(0, true, BitString());
    EXPECT_EQ(s.size(), 8u);  // the caller trims
    EXPECT_EQ(trim_bits(s), "\x01");
    s = set_bit(70, true, BitString("\x01"));
    EXPECT_EQ(s.size(), 9u);
    EXPECT_EQ(bit_length(s), 71u);
    EXPECT_EQ(trim_bits(set_bit(70, false, std::move(s))), "\x01");
    EXPECT_EQ(set_bit(3, true, BitString("\x01")), "\x09");  // no growth when inside
}

// Every operation checked against host arithmetic on values that fit.
TEST(BitsArithmetic, AgreesWithHostIntegers) {
    std::mt19937_64 rng(7);
    for (int round = 0; round < 4000; ++round) {
        std::uint64_t a = rng() >> (rng() % 64);
        std::uint64_t b = rng() >> (rng() % 63 + 1);
        std::uint32_t k = static_cast<std::uint32_t>(rng() >> (rng() % 32 + 32));
        SCOPED_TRACE(::testing::Message() << a << " " << b << " " << k);
        BitString sa = u64_bits(a);
        if (a < (std::uint64_t{1} << 62) && b < (std::uint64_t{1} << 62)) {
            EXPECT_EQ(bits_u64(add_bits(sa, u64_bits(b))), a + b);
        }
        if (a < (std::uint64_t{1} << 62)) {
            EXPECT_EQ(bits_u64(add_small(sa, k)), a + k);
        }
        if (a < (std::uint64_t{1} << 31)) {
            EXPECT_EQ(bits_u64(mul_small(sa, k)), a * k);
        }
        if (a < (std::uint64_t{1} << 40)) {
            EXPECT_EQ(bits_u64(shift_bits(sa, k % 24)), a << (k % 24));
        }
        if (k >= 1) {
            EXPECT_EQ(bits_u64(div_small(sa, k)), a / k);
        }
        EXPECT_EQ(bits_u64(half(sa)), a / 2);
        EXPECT_EQ(mod_ten(sa), a % 10);
    }
}

TEST(BitsArithmetic, ResultsAreTrimmed) {
    EXPECT_EQ(add_bits(BitString("\x01\x00", 2), ""), "\x01");
    EXPECT_EQ(add_bits("\xff", "\x01"), BitString("\x00\x01", 2));
    EXPECT_EQ(mul_small("\x05", 0), "");
    EXPECT_EQ(shift_bits("", 100), "");
    EXPECT_EQ(add_small("\xff\xff", 1), BitString("\x00\x00\x01", 3));
}

// Identities on values far wider than a host integer.
TEST(BitsArithmetic, WideValuesKeepTheIdentities) {
    std::mt19937_64 rng(11);
    for (int round = 0; round < 200; ++round) {
        BitString a = bits_test::random_canonical(rng, 300);
        BitString b = bits_test::random_canonical(rng, 300);
        std::uint32_t k = static_cast<std::uint32_t>(rng() | 1);
        std::size_t shift = rng() % 1000;
        EXPECT_EQ(div_small(mul_small(a, k), k), a);
        EXPECT_EQ(add_bits(a, b), add_bits(b, a));
        EXPECT_EQ(add_bits(a, a), shift_bits(a, 1));
        EXPECT_EQ(mul_small(a, 1u << 20), shift_bits(a, 20));
        EXPECT_EQ(bit_length(shift_bits(a, shift)), bit_length(a) + shift);
        BitString tenth = div_small(a, 10);
        EXPECT_EQ(add_small(mul_small(tenth, 10), mod_ten(a)), a);
        BitString q = div_small(a, k);
        BitString back = mul_small(q, k);
        EXPECT_LE(bits_test::compare_bits(back, a), 0);  // q * k <= a < q * k + k
        EXPECT_GT(bits_test::compare_bits(add_small(back, k), a), 0);
    }
}

TEST(BitsLists, LengthElementsAndAppend) {
    BitString n23 = u64_bits(23);  // list K, K, K, H
    EXPECT_EQ(list_length(n23), 4u);
    EXPECT_TRUE(list_element(0, n23));
    EXPECT_TRUE(list_element(2, n23));
    EXPECT_FALSE(list_element(3, n23));
    EXPECT_EQ(list_length("\x01"), 0u);
    // (K, H) then (H, K) is K, H, H, K: 1 + 8 + 16 = 25
    EXPECT_EQ(bits_u64(list_append(u64_bits(5), u64_bits(6))), 25u);
    EXPECT_EQ(list_append("\x01", "\x06"), "\x06");
    EXPECT_EQ(list_append("\x06", "\x01"), "\x06");
    std::mt19937_64 rng(3);
    for (int round = 0; round < 100; ++round) {
        BitString a = bits_test::random_canonical(rng, 40);
        BitString b = bits_test::random_canonical(rng, 40);
        BitString ab = list_append(a, b);
        ASSERT_EQ(list_length(ab), list_length(a) + list_length(b));
        for (std::size_t i = 0; i < list_length(ab); ++i) {
            bool want =
                i < list_length(a) ? list_element(i, a) : list_element(i - list_length(a), b);
            ASSERT_EQ(list_element(i, ab), want) << i;
        }
    }
}

TEST(BitsLists, CheckedFormsRefuseWhatThePlainFormsAssert) {
    BitString n23 = u64_bits(23);
    EXPECT_EQ(checked_list_length(n23), 4u);
    EXPECT_FALSE(checked_list_length(""));
    EXPECT_FALSE(checked_list_length(BitString("\x17\x00", 2)));
    EXPECT_EQ(checked_list_element(3, n23), false);
    EXPECT_EQ(checked_list_element(1, n23), true);
    EXPECT_FALSE(checked_list_element(4, n23));
    EXPECT_FALSE(checked_list_element(-1, n23));
    EXPECT_FALSE(checked_list_element(0, "\x01"));
    EXPECT_EQ(checked_list_append(u64_bits(5), u64_bits(6)), u64_bits(25));
    EXPECT_FALSE(checked_list_append("", u64_bits(6)));
    EXPECT_FALSE(checked_list_append(u64_bits(5), BitString("\x06\x00", 2)));
    EXPECT_FALSE(checked_set_bit(-1, true, "\x01"));
    EXPECT_EQ(trim_bits(*checked_set_bit(1, true, "\x01")), "\x03");
}

TEST(BitsListsDeath, BrokenInvariantsAssert) {
    EXPECT_DEATH(list_length(BitString("\x03\x00", 2)), "ASSERTION FAILED:bits.cpp");
    EXPECT_DEATH(list_element(4, u64_bits(23)), "ASSERTION FAILED:bits.cpp");
    EXPECT_DEATH(div_small("\x05", 0), "ASSERTION FAILED:bits.cpp");
}

}  // namespace
}  // namespace vesk
