#include <gtest/gtest.h>

#include <random>
#include <string>

#include "bits_test_util.hpp"
#include "numbers/bits.hpp"
#include "numbers/natural.hpp"

namespace vesk {
namespace {

using bits_test::bits_u64;
using bits_test::u64_bits;

TEST(BitsText, EveryTextFormHasItsCodeNumber) {
    EXPECT_EQ(bits_u64(text_to_bits("0")), 3u);
    EXPECT_EQ(bits_u64(text_to_bits("00")), 2u);
    EXPECT_EQ(bits_u64(text_to_bits("5")), 23u);
    EXPECT_EQ(bits_u64(text_to_bits("05")), 21u);
    EXPECT_EQ(bits_u64(text_to_bits("000")), 4u);
    EXPECT_EQ(bits_u64(text_to_bits("001")), 6u);
    EXPECT_EQ(bits_u64(text_to_bits("0001")), 12u);   // 2^2 + 1 * 2^3
    EXPECT_EQ(bits_u64(text_to_bits("0013")), 54u);   // 2 + 13 * 4
    EXPECT_EQ(bits_u64(text_to_bits("00000")), 16u);  // 2^4
    EXPECT_EQ(text_to_bits("1"), "\x07");
    EXPECT_EQ(bits_to_text(u64_bits(4)), "000");
    EXPECT_EQ(bits_to_text(u64_bits(6)), "001");
    EXPECT_EQ(bits_to_text(u64_bits(2)), "00");
    EXPECT_EQ(bits_to_text(u64_bits(3)), "0");
    EXPECT_EQ(bits_to_text(u64_bits(5)), "01");
    EXPECT_EQ(bits_to_text(u64_bits(23)), "5");
}

TEST(BitsText, SmallValuesFollowTheFormulas) {
    for (std::uint64_t d = 1; d < 3000; ++d) {
        std::string digits = std::to_string(d);
        ASSERT_EQ(bits_u64(text_to_bits(digits)), 4 * d + 3) << d;
        ASSERT_EQ(bits_u64(text_to_bits("0" + digits)), 4 * d + 1) << d;
        for (std::uint64_t z = 0; z < 5; ++z) {
            std::string numb = "00" + std::string(z, '0') + digits;
            std::uint64_t want = (std::uint64_t{1} << (z + 1)) + (d << (z + 2));
            ASSERT_EQ(bits_u64(text_to_bits(numb)), want) << numb;
        }
    }
    for (std::uint64_t n = 2; n < 5000; ++n)
        ASSERT_EQ(bits_u64(text_to_bits(bits_to_text(u64_bits(n)))), n) << n;
}

// 10^k - 1 and 10^k across the nine-digit chunk edges, against a value
// built digit by digit with mul_small.
TEST(BitsText, LongNumbersAcrossChunkEdges) {
    for (std::size_t k : {8u, 9u, 10u, 17u, 18u, 19u, 26u, 27u, 28u, 100u, 2000u}) {
        for (const std::string& digits : {std::string(k, '9'), "1" + std::string(k, '0')}) {
            BitString want;
            for (char c : digits)
                want = add_small(mul_small(want, 10), static_cast<std::uint32_t>(c - '0'));
            want = add_small(mul_small(want, 4), 3);
            ASSERT_EQ(text_to_bits(digits), want) << digits.size();
            ASSERT_EQ(bits_to_text(want), digits) << digits.size();
        }
    }
}

TEST(BitsText, TextsRoundTripInEveryForm) {
    std::mt19937_64 rng(2024);
    for (int round = 0; round < 3000; ++round) {
        std::string text = bits_test::random_number_text(rng, round, round % 7 == 0 ? 300 : 30);
        BitString bits = text_to_bits(text);
        ASSERT_TRUE(is_canonical_bits(bits)) << text;
        ASSERT_EQ(bits_to_text(bits), text);
    }
}

TEST(BitsText, CanonicalStringsRoundTrip) {
    std::mt19937_64 rng(99);
    for (int round = 0; round < 3000; ++round) {
        BitString bits = bits_test::random_canonical(rng, round % 10 == 0 ? 200 : 12);
        Bytes text = bits_to_text(bits);
        ASSERT_FALSE(text.empty());
        ASSERT_EQ(text_to_bits(text), bits) << text;
    }
    // code numbers with long runs of low zero bits (long "00..." texts)
    for (std::size_t low = 1; low < 200; low += 7) {
        BitString bits = shift_bits(u64_bits(rng() | 1), low);
        ASSERT_EQ(text_to_bits(bits_to_text(bits)), bits);
    }
}

TEST(BitsText, CheckedFormsRefuseBadInput) {
    EXPECT_FALSE(checked_text_to_bits(""));
    EXPECT_FALSE(checked_text_to_bits("12a"));
    EXPECT_FALSE(checked_text_to_bits(std::string("1\0", 2)));
    EXPECT_EQ(checked_text_to_bits("5"), u64_bits(23));
    EXPECT_FALSE(checked_bits_to_text(""));
    EXPECT_FALSE(checked_bits_to_text("\x01"));
    EXPECT_FALSE(checked_bits_to_text(BitString("\x05\x00", 2)));
    EXPECT_EQ(checked_bits_to_text("\x05"), "01");
}

TEST(BitsTextDeath, BrokenInvariantsAssert) {
    EXPECT_DEATH(text_to_bits(""), "ASSERTION FAILED:bits_text.cpp");
    EXPECT_DEATH(bits_to_text("\x01"), "ASSERTION FAILED:bits_text.cpp");
    EXPECT_DEATH(bits_to_text(BitString("\x05\x00", 2)), "ASSERTION FAILED:bits_text.cpp");
}

// Dropping the first element is halving the code number, whichever way the
// text is taken apart.
TEST(BitsRest, MatchesHalvingTheCodeNumber) {
    std::mt19937_64 rng(5);
    for (int round = 0; round < 3000; ++round) {
        std::string text = bits_test::random_number_text(rng, round, round % 7 == 0 ? 200 : 25);
        BitString rest = half(text_to_bits(text));
        std::optional<Bytes> got = number_rest_text(text);
        if (rest == "\x01") {
            ASSERT_FALSE(got) << text;
        } else {
            ASSERT_TRUE(got) << text;
            ASSERT_EQ(*got, bits_to_text(rest)) << text;
        }
    }
    EXPECT_EQ(number_rest_text("5"), "2");
    EXPECT_EQ(number_rest_text("02"), "000");
    EXPECT_EQ(number_rest_text("01"), "00");
    EXPECT_EQ(number_rest_text("000"), "00");
    EXPECT_FALSE(number_rest_text("0"));
    EXPECT_FALSE(number_rest_text("00"));
    // minus a power of two sheds all its factors of two: "0" 2^k -> "00" + k zeros
    Bytes power = bits_to_text(add_small(shift_bits("\x01", 202), 3));  // 4 * 2^200 + 3
    EXPECT_EQ(number_rest_text("0" + power), "00" + std::string(200, '0'));
}

// Numbers with many factors of two shed them in large steps; the rest is
// still the half of the code number, for odd parts with and without fives.
TEST(BitsRest, ManyFactorsOfTwo) {
    for (std::uint64_t twos : {63u, 64u, 65u, 97u, 1000u, 4099u}) {
        for (std::uint64_t odd : {1u, 3u, 5u, 125u, 999999999u}) {
            Natural d = natural_from_u64(odd);
            for (std::uint64_t i = 0; i < twos; ++i) mul_limb_in_place(d, 2);
            Bytes text = "0";
            append_natural_digits(d, text);
            std::optional<Bytes> got = number_rest_text(text);
            ASSERT_TRUE(got);
            EXPECT_EQ(*got, bits_to_text(half(text_to_bits(text)))) << twos << " " << odd;
        }
    }
}

TEST(BitsRest, WalksEveryBitOfALongNumber) {
    std::string text = "7" + std::string(60, '3');
    BitString bits = text_to_bits(text);
    std::size_t n = list_length(bits);
    std::optional<Bytes> rest = text;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        rest = number_rest_text(*rest);
        bits = half(bits);
        ASSERT_TRUE(rest) << i;
        ASSERT_EQ(text_to_bits(*rest), bits) << i;
    }
    EXPECT_FALSE(number_rest_text(*rest));
}

}  // namespace
}  // namespace vesk
