// The number rows of the arithmetic built-ins over every kind pairing.
#include "arithmetic_support.hpp"

namespace vesk::test {
namespace {

TEST_F(Arith, IntegersAreExact) {
    EXPECT_EQ(text(call("plus", TermRef("40"), TermRef("2"))), "42");
    EXPECT_EQ(text(call("dash", TermRef("2"), TermRef("5"))), "03");
    EXPECT_EQ(text(call("mult", TermRef("012"), TermRef("34"))), "0408");
    EXPECT_EQ(text(call("over", TermRef("07"), TermRef("2"))), "04");
    EXPECT_EQ(text(call("cent", TermRef("7"), TermRef("02"))), "1");
    EXPECT_EQ(text(call("over", TermRef("7"), TermRef("0"))), "Z");
    EXPECT_EQ(text(call("powa", TermRef("02"), TermRef("3"))), "08");
    EXPECT_EQ(text(call("powa", TermRef("0"), TermRef("0"))), "1");
    EXPECT_EQ(text(call("powa", TermRef("5"), TermRef("01"))), "0");
    Bytes big(400, '9');
    EXPECT_EQ(text(call("plus", TermRef(Bytes(big)), TermRef("1"))), "1" + Bytes(400, '0'));
}

TEST_F(Arith, RealsAndPromotion) {
    EXPECT_DOUBLE_EQ(as_double(call("plus", real(1.5), real(2.25))), 3.75);
    EXPECT_DOUBLE_EQ(as_double(call("plus", real(1.5), TermRef("2"))), 3.5);
    EXPECT_DOUBLE_EQ(as_double(call("dash", TermRef("2"), real(0.5))), 1.5);
    EXPECT_DOUBLE_EQ(as_double(call("cent", real(7.5), TermRef("2"))), 1.5);
    EXPECT_DOUBLE_EQ(as_double(call("powa", real(2.0), TermRef("10"))), 1024.0);
    EXPECT_TRUE(std::isinf(as_double(call("over", real(1.0), real(0.0)))));
    // A numb with a real goes through the numb's double: "005" is 1.
    EXPECT_DOUBLE_EQ(as_double(call("mult", TermRef("005"), real(3.0))), 3.0);
}

TEST_F(Arith, OverAndPowaOnNumbs) {
    EXPECT_EQ(text(call("over", TermRef("005"), TermRef("005"))), "Z");
    EXPECT_DOUBLE_EQ(as_double(call("over", TermRef("3"), TermRef("005"))), 3.0);
    EXPECT_EQ(text(call("powa", TermRef("005"), TermRef("005"))), "Z");
    EXPECT_DOUBLE_EQ(as_double(call("powa", TermRef("2"), TermRef("005"))), 2.0);
    EXPECT_EQ(text(call("powa", TermRef("0013"), TermRef("0"))), "00");
}

TEST_F(Arith, WrongKindsFail) {
    TermRef combinator("S");
    for (const char* name : {"plus", "dash", "mult", "over", "cent", "powa", "less", "gteq"}) {
        EXPECT_EQ(text(call(name, combinator, TermRef("1"))), "Z") << name;
        EXPECT_EQ(text(call(name, TermRef("1"), combinator)), "Z") << name;
    }
    EXPECT_EQ(text(call("over", zits("a"), TermRef("1"))), "Z");
    EXPECT_EQ(text(call("cent", TermRef("1"), counted_leaf("ab"))), "Z");
    EXPECT_EQ(text(call("dash", TermRef("1"), zits("a"))), "Z");
    // A numb bit list with a bad cell is malformed.
    TermRef bad = apply(apply(TermRef("J"), TermRef("H")), TermRef("S"));
    EXPECT_EQ(text(call("plus", bad, TermRef("001"))), "Z");
}

// Operands of up to 18 digits take a 64-bit path, longer ones the integer
// library: results must not change across that border, nor at 64-bit
// overflow of a product.
TEST_F(Arith, SmallAndLargeIntegersAgree) {
    const Bytes nines18(18, '9');  // the largest operand of the fast path
    const Bytes one19 = "1" + Bytes(18, '0');
    EXPECT_EQ(text(call("plus", TermRef(Bytes(nines18)), TermRef("1"))), one19);
    EXPECT_EQ(text(call("plus", TermRef(Bytes(nines18)), TermRef(Bytes(nines18)))),
              "1" + Bytes(17, '9') + "8");
    EXPECT_EQ(text(call("dash", TermRef(Bytes("0" + nines18)), TermRef(Bytes(nines18)))),
              "01" + Bytes(17, '9') + "8");
    EXPECT_EQ(text(call("dash", TermRef(Bytes(one19)), TermRef("1"))), nines18);
    EXPECT_EQ(text(call("dash", TermRef("5"), TermRef("5"))), "0");
    EXPECT_EQ(text(call("mult", TermRef("0"), TermRef("07"))), "0");
    // 999999999999999999^2 overflows 64 bits and must still be exact.
    EXPECT_EQ(text(call("mult", TermRef(Bytes(nines18)), TermRef(Bytes(nines18)))),
              Bytes(17, '9') + "8" + Bytes(17, '0') + "1");
    EXPECT_EQ(text(call("mult", TermRef("04294967296"), TermRef("4294967296"))),
              "018446744073709551616");
}

TEST_F(Arith, OrdersAgreeAcrossTheFastPathBorder) {
    const Bytes nines18(18, '9');
    const Bytes one19 = "1" + Bytes(18, '0');
    EXPECT_EQ(text(call("less", TermRef(Bytes(nines18)), TermRef(Bytes(one19)))), "K");
    EXPECT_EQ(text(call("less", TermRef(Bytes("0" + one19)), TermRef(Bytes("0" + nines18)))),
              "K");
    EXPECT_EQ(text(call("gteq", TermRef("03"), TermRef("02"))), "H");
    EXPECT_EQ(text(call("gteq", TermRef("0"), TermRef("0"))), "K");
    EXPECT_EQ(text(call("less", TermRef("01"), TermRef("0"))), "K");
    // a bit string is not a small integer: numbs order after integers
    EXPECT_EQ(text(call("less", TermRef("001"), TermRef("5"))), "H");
}

}  // namespace
}  // namespace vesk::test
