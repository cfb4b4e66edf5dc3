// Numb arithmetic agrees with the integers through widen, is total, and
// holds every finite double exactly.
#include <random>

#include "../builtins/arithmetic_support.hpp"
#include "numbers/dyadic_ops.hpp"
#include "numbers/integers.hpp"

namespace vesk::test {
namespace {

TermRef widened(std::int64_t n) {
    return widen(int_term(n));
}

TEST_F(Arith, NumbArithmeticFollowsWiden) {
    std::mt19937_64 random(7);
    for (int round = 0; round < 300; ++round) {
        auto x = static_cast<std::int64_t>(random() % 2000001) - 1000000;
        auto y = static_cast<std::int64_t>(random() % 2001) - 1000;
        for (const char* op : {"plus", "dash", "mult", "cent"}) {
            TermRef integer = call(op, int_term(x), int_term(y));
            TermRef numb = call(op, widened(x), widened(y));
            if (text(integer) == "Z") {
                EXPECT_EQ(text(numb), "Z");
                continue;
            }
            EXPECT_EQ(text(numb), text(widen(integer))) << op << " " << x << " " << y;
        }
        EXPECT_EQ(text(call("less", widened(x), widened(y))), x < y ? "K" : "H");
        EXPECT_EQ(text(call("wave", widened(x))), text(widened(-x)));
        EXPECT_EQ(as_double(call("mult", widened(x), real(1.0))), static_cast<double>(x));
        // A hint with a numb: the hint joins as its value.
        EXPECT_EQ(text(call("plus", int_term(x), widened(y))), text(widened(x + y)));
    }
}

TEST_F(Arith, NumbPowerAndItsShortcut) {
    EXPECT_EQ(text(call("powa", TermRef("0013"), TermRef("0"))), "00");
    EXPECT_EQ(text(call("powa", widened(3), TermRef("4"))), text(widened(81)));
    for (int k = 1; k < 61; ++k) {
        std::optional<Dyadic> base = read_numb(TermRef("004").cell);
        ASSERT_TRUE(base);
        TermRef general = *numb_term(*numb_power(*base, k));
        EXPECT_EQ(text(call("powa", TermRef("004"), int_term(k))), text(general)) << k;
    }
    // x^0 reads as one: it multiplies as the identity.
    EXPECT_EQ(text(call("mult", TermRef("00"), widened(9))), text(widened(9)));
}

TEST_F(Arith, EveryFiniteDoubleHasANumb) {
    std::mt19937_64 random(11);
    std::vector<double> samples = {0.0, -0.0, 0.5, -0.375, 1e308, 5e-324, 2.2250738585072014e-308};
    for (int i = 0; i < 200; ++i) {
        std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d)) samples.push_back(d);
    }
    for (double d : samples) {
        std::optional<Dyadic> value = numb_from_double(d);
        ASSERT_TRUE(value);
        TermRef numb = *numb_term(*value);
        ASSERT_EQ(classify(numb), ValueKind::numb);
        EXPECT_EQ(numb_to_double(*read_numb(numb.cell)), d == 0 ? 0.0 : d) << text(numb);
    }
    EXPECT_FALSE(numb_from_double(std::nan("")));
}

TEST_F(Arith, NumbOperationsAreTotal) {
    // Every short numb text, including ones with huge exponents and the
    // spellings "00" whose numerator code is empty.
    std::vector<Bytes> texts = {"00", "000", "0000000", "001", "002", "0099999999999999999999999"};
    texts.push_back("00" + Bytes(300, '9'));
    for (const Bytes& a : texts) {
        for (const Bytes& b : texts) {
            for (const char* op : {"plus", "dash", "mult", "cent", "less", "gteq", "same"}) {
                TermRef r = call(op, TermRef(Bytes(a)), TermRef(Bytes(b)));
                ValueKind k = classify(r);
                EXPECT_TRUE(k == ValueKind::numb || text(r) == "Z" || text(r) == "K" ||
                            text(r) == "H")
                    << op << " " << a << " " << b;
            }
        }
        TermRef negated = call("wave", TermRef(Bytes(a)));
        EXPECT_TRUE(classify(negated) == ValueKind::numb || text(negated) == "Z");
    }
    EXPECT_EQ(text(call("cent", widened(5), TermRef("001"))), "Z");  // zero divisor
}

}  // namespace
}  // namespace vesk::test
