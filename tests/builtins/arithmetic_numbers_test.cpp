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

}  // namespace
}  // namespace vesk::test
