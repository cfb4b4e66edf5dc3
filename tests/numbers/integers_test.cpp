// Integers as terms: host conversions, shape tests, sign, magnitude, the
// decimal text of bit lists, reals and widening.
#include "numbers/integers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "number_terms.hpp"

namespace vesk {
namespace {

using testing::bit_list;
using testing::integer_list;

TermRef leaf(const char* text) {
    return TermRef(text);
}
Bytes text_of(const TermRef& t) {
    return leaf_text(t);
}

double real_of(const TermRef& t) {
    Bytes text = leaf_text(t);
    EXPECT_EQ(text.size(), 9u);
    EXPECT_EQ(text[0], ' ');
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t{static_cast<unsigned char>(text[1 + i])} << (8 * i);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

TEST(IntegerTerms, HostValuesBecomeCanonicalLeaves) {
    EXPECT_EQ(text_of(int_term(0)), "0");
    EXPECT_EQ(text_of(int_term(42)), "42");
    EXPECT_EQ(text_of(int_term(-42)), "042");
    EXPECT_EQ(text_of(int_term(INT64_MIN)), "09223372036854775808");
    EXPECT_EQ(text_of(int_term(INT64_MAX)), "9223372036854775807");
    EXPECT_EQ(text_of(uint_term(UINT64_MAX)), "18446744073709551615");
    EXPECT_EQ(text_of(uint_term(0)), "0");
    EXPECT_EQ(int_text(-42), "-42");
    EXPECT_EQ(int_text(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(int_text(7), "7");
    // Results carry the annotation of a number leaf and their length.
    TermRef t = int_term(-1234);
    EXPECT_EQ(stored_arity(t.get()), 1);
    EXPECT_FALSE(pending_of(t.get()));
    EXPECT_EQ(span_of(t.get()), 5u);
}

TEST(IntegerTerms, HostValuesRoundTrip) {
    for (std::int64_t v :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{999999999},
          std::int64_t{-1000000000}, INT64_MAX, INT64_MIN, INT64_MIN + 1}) {
        EXPECT_EQ(int_value(int_term(v)), v);
        EXPECT_EQ(int_value(integer_list(v)), v) << v;
        EXPECT_EQ(decimal_text(integer_list(v)), text_of(int_term(v)));
    }
}

TEST(IntegerShapes, QuickTestLooksAtTheFirstCell) {
    EXPECT_TRUE(is_integer(leaf("0")));
    EXPECT_TRUE(is_integer(leaf("7")));
    EXPECT_TRUE(is_integer(leaf("042")));
    EXPECT_TRUE(is_integer(leaf("K")));
    EXPECT_FALSE(is_integer(leaf("00")));
    EXPECT_FALSE(is_integer(leaf("0042")));
    EXPECT_FALSE(is_integer(leaf("abc")));
    EXPECT_FALSE(is_integer(leaf("[12]")));
    EXPECT_FALSE(is_integer(leaf("H")));
    EXPECT_FALSE(is_integer(apply(apply(leaf("J"), leaf("H")), leaf("x"))));
    EXPECT_TRUE(is_integer(apply(apply(leaf("J"), leaf("K")), leaf("x"))));
    EXPECT_FALSE(is_integer(apply(leaf("J"), leaf("K"))));
}

TEST(IntegerShapes, WiderAndCompleteTests) {
    TermRef j_k_x = apply(apply(leaf("J"), leaf("K")), leaf("x"));
    EXPECT_TRUE(is_number_shape(leaf("K")));
    EXPECT_TRUE(is_number_shape(leaf("0042")));
    EXPECT_TRUE(is_number_shape(bit_list({false, true})));
    EXPECT_TRUE(is_number_shape(j_k_x));
    EXPECT_FALSE(is_number_shape(leaf("J")));
    EXPECT_FALSE(is_number_shape(apply(leaf("x"), leaf("K"))));

    EXPECT_TRUE(is_complete_bit_list(bit_list({true, false, true})));
    EXPECT_TRUE(is_complete_bit_list(bit_list({false}, leaf("0042"))));
    EXPECT_FALSE(is_complete_bit_list(leaf("K")));
    EXPECT_FALSE(is_complete_bit_list(j_k_x));
    EXPECT_FALSE(is_complete_bit_list(bit_list({true}, leaf("12a"))));
    EXPECT_FALSE(is_complete_bit_list(bit_list({true, true}, apply(leaf("K"), leaf("K")))));
    TermRef bad_bit = make_pair(apply(leaf("J"), leaf("I")), leaf("K"));
    EXPECT_FALSE(is_complete_bit_list(make_pair(apply(leaf("J"), leaf("K")), bad_bit)));
}

TEST(IntegerShapes, CheckedReadingRefusesMalformedTerms) {
    // Each passes the quick shape test but is no integer on closer reading.
    std::vector<TermRef> bad = {
        leaf("12x"),
        TermRef(Bytes("1\0"
                      "2",
                      3)),
        leaf("0x"),
        apply(apply(leaf("J"), leaf("K")), leaf("x")),
        bit_list({true, true}, leaf("abc")),
        make_pair(apply(leaf("J"), leaf("K")), make_pair(apply(leaf("J"), leaf("Q")), leaf("K"))),
    };
    for (const TermRef& t : bad) {
        EXPECT_TRUE(is_integer(t));
        EXPECT_FALSE(is_integer_value(t)) << leaf_text(t);
        EXPECT_FALSE(checked_int_value(t).has_value());
        EXPECT_FALSE(checked_is_non_negative(t).has_value());
        EXPECT_FALSE(checked_magnitude(t).has_value());
        EXPECT_FALSE(checked_real_value(t).has_value());
        EXPECT_FALSE(checked_widen(t).has_value());
    }
    // Not integers at all.
    for (const char* text : {"00", "0042", "abc", "H", "[1]"}) {
        EXPECT_FALSE(checked_int_value(leaf(text)).has_value()) << text;
    }
    EXPECT_FALSE(checked_int_value(bit_list({false, true})).has_value());
    EXPECT_EQ(checked_int_value(leaf("042")), -42);
}

TEST(IntegerSign, SignAndMagnitude) {
    EXPECT_TRUE(is_non_negative(leaf("0")));
    EXPECT_TRUE(is_non_negative(leaf("17")));
    EXPECT_FALSE(is_non_negative(leaf("017")));
    EXPECT_TRUE(is_non_negative(leaf("K")));
    EXPECT_FALSE(is_non_negative(integer_list(-5)));
    EXPECT_TRUE(is_non_negative(integer_list(5)));
    EXPECT_TRUE(is_non_negative(integer_list(0)));

    EXPECT_EQ(text_of(magnitude(leaf("017"))), "17");
    TermRef seventeen("17");
    EXPECT_EQ(magnitude(seventeen).get(), seventeen.get());
    TermRef zero("0");
    EXPECT_EQ(magnitude(zero).get(), zero.get());
    EXPECT_EQ(text_of(magnitude(leaf("K"))), "0");
    EXPECT_EQ(text_of(magnitude(integer_list(-300))), "300");
    EXPECT_EQ(text_of(magnitude(integer_list(300))), "300");
}

TEST(IntegerValue, ValuesWrapModulo2To64) {
    EXPECT_EQ(int_value(leaf("042")), -42);
    EXPECT_EQ(int_value(leaf("18446744073709551617")), 1);
    EXPECT_EQ(int_value(leaf("018446744073709551621")), -5);
    EXPECT_EQ(int_value(leaf("18446744073709551615")), -1);
    EXPECT_EQ(int_value(leaf("9223372036854775808")), INT64_MIN);
    EXPECT_EQ(int_value(leaf("09223372036854775808")), INT64_MIN);
    EXPECT_EQ(int_value(leaf("K")), 0);
    EXPECT_EQ(int_value(leaf("340282366920938463463374607431768211457")), 1);  // 2^128 + 1
}

TEST(IntegerText, DecimalTextOfBitLists) {
    EXPECT_EQ(decimal_text(bit_list({true, true})), "1");
    EXPECT_EQ(decimal_text(bit_list({true, false})), "01");
    EXPECT_EQ(decimal_text(bit_list({true})), "0");
    EXPECT_EQ(decimal_text(bit_list({false})), "00");
    EXPECT_EQ(decimal_text(bit_list({false, false, true})), "0001");
    EXPECT_EQ(decimal_text(leaf("0042")), "0042");
    EXPECT_EQ(decimal_text(leaf("K")), "0");
    // A number-leaf tail appends its bits: K, then the list of "5" (K K K H)
    // gives K K K K H, code number 2^5 + 15 = 47 = 4 * 11 + 3.
    EXPECT_EQ(decimal_text(bit_list({true}, leaf("5"))), "11");
    // K, H, then the list of "00" (H): code number 8 + 1 = 9 = 4 * 2 + 1.
    EXPECT_EQ(decimal_text(bit_list({true, false}, leaf("00"))), "02");
    EXPECT_FALSE(checked_decimal_text(leaf("x")).has_value());
    EXPECT_FALSE(checked_decimal_text(apply(leaf("J"), leaf("K"))).has_value());
}

TEST(IntegerText, LongBitListsDoNotRecurse) {
    // A million cells: 2^999998 + 1 has the list K K H ... H K.
    std::vector<bool> bits(1'000'000, false);
    bits[0] = true;
    bits[1] = true;
    bits[2] = true;
    TermRef list = bit_list(bits);
    EXPECT_TRUE(is_complete_bit_list(list));
    EXPECT_TRUE(is_integer(list));
    std::optional<BitString> code = code_number(list);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(code->size(), 125'001u);
    // A shorter one through the decimal text: 2^199998 + 1 ends in ...
    // 2^199998 = 4^99999, whose last digit is 4; so the text ends in 5.
    std::vector<bool> shorter(200'000, false);
    shorter[0] = shorter[1] = shorter[2] = true;
    Bytes text = decimal_text(bit_list(shorter));
    EXPECT_EQ(text.back(), '5');
    EXPECT_EQ(text.size(), 60'206u);  // floor(199998 * log10 2) + 1
}

TEST(IntegerReal, RealsByTheDecimalReader) {
    EXPECT_EQ(real_of(real_value(leaf("0"))), 0.0);
    EXPECT_FALSE(std::signbit(real_of(real_value(leaf("0")))));
    EXPECT_EQ(real_of(real_value(leaf("042"))), -42.0);
    EXPECT_EQ(real_of(real_value(leaf("9007199254740993"))), 9007199254740992.0);  // ties to even
    EXPECT_EQ(real_of(real_value(integer_list(-3))), -3.0);
    EXPECT_EQ(real_of(real_value(leaf("K"))), 0.0);
    Bytes huge = "1" + Bytes(400, '0');
    EXPECT_TRUE(std::isinf(real_of(real_value(TermRef(std::move(huge))))));
    Bytes big = "12345" + Bytes(300, '0');
    EXPECT_DOUBLE_EQ(real_of(real_value(TermRef(std::move(big)))), 1.2345e304);
}

TEST(IntegerWiden, IntegersBecomeNumbs) {
    EXPECT_EQ(text_of(widen(leaf("0"))), "001");
    EXPECT_EQ(text_of(widen(leaf("1"))), "005");
    EXPECT_EQ(text_of(widen(leaf("01"))), "004");
    EXPECT_EQ(text_of(widen(leaf("K"))), "00");
    // 2: code number 11 = 1011b; widened 1000110b = 70 = 2 + 4 * 17: "0017".
    EXPECT_EQ(text_of(widen(leaf("2"))), "0017");
    for (std::int64_t v :
         {std::int64_t{0}, std::int64_t{3}, std::int64_t{-77}, std::int64_t{123456789}}) {
        EXPECT_EQ(text_of(widen(integer_list(v))), text_of(widen(int_term(v)))) << v;
    }
    EXPECT_FALSE(checked_widen(leaf("00")).has_value());
    EXPECT_FALSE(checked_widen(bit_list({false})).has_value());
}

}  // namespace
}  // namespace vesk
