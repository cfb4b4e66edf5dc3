// Integer arithmetic on terms: the rounding and sign rules, zero divisors,
// powers, comparisons and the one-operand operations.
#include "numbers/arith.hpp"

#include <gtest/gtest.h>

#include "number_terms.hpp"
#include "numbers/integers.hpp"

namespace vesk {
namespace {

using testing::bit_list;
using testing::integer_list;

TermRef n(const char* text) {
    return TermRef(text);
}
TermRef n(const Bytes& text) {
    return TermRef(Bytes(text));
}

Bytes over(const char* a, const char* b) {
    return leaf_text(int_over(n(a), n(b)));
}
Bytes cent(const char* a, const char* b) {
    return leaf_text(int_cent(n(a), n(b)));
}
Bytes powa(const char* a, const char* b) {
    return leaf_text(int_powa(n(a), n(b)));
}
Bytes mult(const char* a, const char* b) {
    return leaf_text(int_mult(n(a), n(b)));
}
Bytes plus(const char* a, const char* b) {
    return leaf_text(int_plus(n(a), n(b)));
}
Bytes dash(const char* a, const char* b) {
    return leaf_text(int_dash(n(a), n(b)));
}

TEST(IntegerDivision, FloorQuotientAndNeverNegativeRemainder) {
    EXPECT_EQ(over("7", "2"), "3");
    EXPECT_EQ(over("07", "2"), "04");
    EXPECT_EQ(over("7", "02"), "04");
    EXPECT_EQ(over("07", "02"), "3");
    EXPECT_EQ(over("6", "03"), "02");
    EXPECT_EQ(over("0", "5"), "0");
    EXPECT_EQ(over("01", "5"), "01");
    EXPECT_EQ(cent("7", "2"), "1");
    EXPECT_EQ(cent("07", "2"), "1");
    EXPECT_EQ(cent("7", "02"), "1");
    EXPECT_EQ(cent("07", "02"), "1");
    EXPECT_EQ(cent("6", "03"), "0");
    EXPECT_EQ(cent("07", "3"), "2");
    EXPECT_EQ(cent("7", "03"), "2");  // 7 - (-3)(-3) = -2, negated
    EXPECT_EQ(cent("07", "03"), "1");
}

TEST(IntegerDivision, ZeroDivisorGivesZ) {
    for (const char* a : {"0", "5", "05", "123456789012345678901234567890"}) {
        EXPECT_EQ(over(a, "0"), "Z") << a;
        EXPECT_EQ(cent(a, "0"), "Z") << a;
    }
    EXPECT_EQ(leaf_text(int_over(n("5"), n("K"))), "Z");
    EXPECT_EQ(leaf_text(int_cent(n("5"), integer_list(0))), "Z");
}

TEST(IntegerDivision, LargeOperandsFollowTheSameRules) {
    Bytes big = "1" + Bytes(40, '0');  // 10^40
    Bytes big_minus_one(40, '9');      // 10^40 - 1
    EXPECT_EQ(leaf_text(int_over(n(big), n("3"))), Bytes(40, '3'));
    EXPECT_EQ(leaf_text(int_cent(n(big), n("3"))), "1");
    EXPECT_EQ(leaf_text(int_over(n("0" + big), n("3"))), "0" + Bytes(39, '3') + "4");
    EXPECT_EQ(leaf_text(int_cent(n("0" + big), n("3"))), "2");
    EXPECT_EQ(leaf_text(int_over(n(big_minus_one), n("0" + big))), "01");
    EXPECT_EQ(leaf_text(int_cent(n(big_minus_one), n("0" + big))), "1");
    EXPECT_EQ(leaf_text(int_cent(n("0" + big_minus_one), n(big))), "1");
    EXPECT_EQ(leaf_text(int_over(n("0" + big), n(big))), "01");
    EXPECT_EQ(leaf_text(int_cent(n("0" + big), n(big))), "0");
}

TEST(IntegerPower, RepeatedSquaringAndItsEdges) {
    EXPECT_EQ(powa("0", "0"), "1");
    EXPECT_EQ(powa("2", "10"), "1024");
    EXPECT_EQ(powa("02", "3"), "08");
    EXPECT_EQ(powa("02", "2"), "4");
    EXPECT_EQ(powa("5", "01"), "0");
    EXPECT_EQ(powa("0", "7"), "0");
    EXPECT_EQ(powa("2", "64"), "18446744073709551616");
    EXPECT_EQ(powa("2", "63"), "9223372036854775808");
    EXPECT_EQ(powa("10", "19"), "1" + Bytes(19, '0'));
    EXPECT_EQ(powa("10", "300"), "1" + Bytes(300, '0'));
    EXPECT_EQ(powa("010", "301"), "01" + Bytes(301, '0'));
    EXPECT_EQ(powa("3", "40"), "12157665459056928801");
    // Either side of 128 bits.
    EXPECT_EQ(powa("2", "127"), "170141183460469231731687303715884105728");
    EXPECT_EQ(powa("2", "128"), "340282366920938463463374607431768211456");
    EXPECT_EQ(powa("02", "129"), "0680564733841876926926749214863536422912");
    EXPECT_EQ(powa("18446744073709551615", "2"), "340282366920938463426481119284349108225");
    EXPECT_EQ(powa("12345678901234567890", "2"), "152415787532388367501905199875019052100");
}

TEST(IntegerPower, HugeExponents) {
    Bytes huge = "1" + Bytes(30, '0');
    EXPECT_EQ(leaf_text(int_powa(n("1"), n(huge))), "1");
    EXPECT_EQ(leaf_text(int_powa(n("0"), n(huge))), "0");
    EXPECT_EQ(leaf_text(int_powa(n("01"), n(huge))), "1");
    EXPECT_EQ(leaf_text(int_powa(n("01"), n(huge + "1"))), "01");
    EXPECT_EQ(leaf_text(int_powa(n("5"), n("0" + huge))), "0");
    // Results no machine could hold give Z at once instead of exhausting memory.
    EXPECT_EQ(leaf_text(int_powa(n("2"), n(huge))), "Z");
    EXPECT_EQ(powa("10", "5000000000"), "Z");
    EXPECT_EQ(powa("02", "18446744073709551615"), "Z");
}

TEST(IntegerProduct, SignsAndZeros) {
    EXPECT_EQ(mult("12", "34"), "408");
    EXPECT_EQ(mult("012", "34"), "0408");
    EXPECT_EQ(mult("012", "034"), "408");
    EXPECT_EQ(mult("0", "5"), "0");
    EXPECT_EQ(mult("0", "05"), "0");
    EXPECT_EQ(mult("05", "0"), "0");
    EXPECT_EQ(leaf_text(int_mult(n("K"), n("05"))), "0");
    EXPECT_EQ(mult("9999999999999999999", "9999999999999999999"),
              "99999999999999999980000000000000000001");
    TermRef p = int_mult(n("0123"), n("45678901234567890123"));
    EXPECT_EQ(leaf_text(p), "05618504851851850485129");
    EXPECT_EQ(stored_arity(p.get()), 1);
    EXPECT_EQ(span_of(p.get()), 23u);
}

TEST(IntegerSum, CarriesAcrossTheFastPathLimit) {
    EXPECT_EQ(plus("9999999999999999999", "1"), "10000000000000000000");
    EXPECT_EQ(plus("9999999999999999999", "9999999999999999999"), "19999999999999999998");
    EXPECT_EQ(dash("010000000000000000000", "1"), "010000000000000000001");
    EXPECT_EQ(dash("10000000000000000000", "1"), "9999999999999999999");
    EXPECT_EQ(plus("10000000000000000000", "010000000000000000000"), "0");
    EXPECT_EQ(plus("5", "05"), "0");
    EXPECT_EQ(dash("3", "5"), "02");
    EXPECT_EQ(dash("03", "05"), "2");
    EXPECT_EQ(dash("0", "0"), "0");
    EXPECT_EQ(plus("01", "100000000000000000000000000000"), Bytes(29, '9'));
}

TEST(IntegerCompare, SignsThenMagnitudes) {
    EXPECT_TRUE(int_less(n("03"), n("2")));
    EXPECT_TRUE(int_less(n("03"), n("02")));
    EXPECT_FALSE(int_less(n("2"), n("2")));
    EXPECT_TRUE(int_gteq(n("2"), n("2")));
    EXPECT_FALSE(int_less(n("0"), n("K")));
    EXPECT_TRUE(int_gteq(n("K"), n("0")));
    EXPECT_TRUE(int_less(n("99"), n("100")));
    EXPECT_TRUE(int_less(n("0100"), n("099")));
    EXPECT_TRUE(int_less(integer_list(-1), n("0")));
    EXPECT_FALSE(int_gteq(n("012345678901234567890"), n("012345678901234567889")));
}

TEST(IntegerUnary, ZeroEvenNegate) {
    EXPECT_TRUE(is_zero(n("0")));
    EXPECT_TRUE(is_zero(n("K")));
    EXPECT_TRUE(is_zero(integer_list(0)));
    EXPECT_FALSE(is_zero(n("01")));
    EXPECT_FALSE(is_zero(n("10")));
    EXPECT_TRUE(is_even(n("0")));
    EXPECT_TRUE(is_even(n("012")));
    EXPECT_FALSE(is_even(n("7")));
    EXPECT_FALSE(is_even(n("1234567890123456789012345")));
    EXPECT_TRUE(is_even(integer_list(-6)));
    EXPECT_EQ(leaf_text(negate(n("0"))), "0");
    EXPECT_EQ(leaf_text(negate(n("5"))), "05");
    EXPECT_EQ(leaf_text(negate(n("05"))), "5");
    EXPECT_EQ(leaf_text(negate(n("K"))), "0");
    EXPECT_EQ(leaf_text(negate(integer_list(9))), "09");
}

TEST(IntegerOperands, BitListsAreReadThroughTheirText) {
    EXPECT_EQ(leaf_text(int_plus(integer_list(5), n("3"))), "8");
    EXPECT_EQ(leaf_text(int_mult(integer_list(-4), integer_list(25))), "0100");
    EXPECT_EQ(leaf_text(int_over(integer_list(-7), n("2"))), "04");
    EXPECT_EQ(leaf_text(int_powa(integer_list(3), integer_list(4))), "81");
    EXPECT_TRUE(int_less(integer_list(-8), integer_list(-7)));
    // K then the bits of the number leaf "5" (K K K H): the integer 11.
    EXPECT_EQ(leaf_text(int_dash(bit_list({true}, n("5")), n("1"))), "10");
}

TEST(IntegerOperands, CheckedOperationsRefuseNonIntegers) {
    std::vector<TermRef> bad = {n("00"),
                                n("12x"),
                                n("abc"),
                                n("[1]"),
                                bit_list({false}),
                                bit_list({true}, n("y")),
                                apply(n("J"), n("K"))};
    for (const TermRef& t : bad) {
        EXPECT_FALSE(checked_plus(t, n("1")).has_value()) << leaf_text(t);
        EXPECT_FALSE(checked_dash(n("1"), t).has_value());
        EXPECT_FALSE(checked_mult(t, t).has_value());
        EXPECT_FALSE(checked_over(n("1"), t).has_value());
        EXPECT_FALSE(checked_cent(t, n("0")).has_value());
        EXPECT_FALSE(checked_powa(t, n("2")).has_value());
        EXPECT_FALSE(checked_less(t, n("2")).has_value());
        EXPECT_FALSE(checked_gteq(n("2"), t).has_value());
        EXPECT_FALSE(checked_is_zero(t).has_value());
        EXPECT_FALSE(checked_is_even(t).has_value());
        EXPECT_FALSE(checked_negate(t).has_value());
    }
    std::optional<TermRef> sum = checked_plus(n("2"), n("3"));
    ASSERT_TRUE(sum.has_value());
    EXPECT_EQ(leaf_text(*sum), "5");
    EXPECT_EQ(checked_less(n("2"), n("3")), std::optional<bool>(true));
}

TEST(IntegerOperands, OperandsAreConsumedAndResultsOwned) {
    TermRef a("123456789012345678901234567890");
    TermRef b("0987654321");
    std::uint32_t refs_before = refs_of(a.get());
    {
        TermRef p = int_mult(a, b);
        TermRef q = int_over(p, b);
        EXPECT_EQ(leaf_text(q), leaf_text(a));
        EXPECT_EQ(refs_of(p.get()), 1u);
    }
    EXPECT_EQ(refs_of(a.get()), refs_before);
}

}  // namespace
}  // namespace vesk
