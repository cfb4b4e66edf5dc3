// The C library's mathematics: reals in and out, integers for abs and labs.
#include <cmath>

#include "host_support.hpp"

namespace vesk::test {
namespace {

struct Unary {
    const char* name;
    double (*fn)(double);
};

TEST_F(Host, RealFunctionsAreTheCLibrarys) {
    const Unary cases[] = {
        {"acos", std::acos}, {"asin", std::asin}, {"atan", std::atan},   {"ceil", std::ceil},
        {"cos", std::cos},   {"cosh", std::cosh}, {"erf", std::erf},     {"erfc", std::erfc},
        {"exp", std::exp},   {"fabs", std::fabs}, {"floor", std::floor}, {"log", std::log},
        {"sin", std::sin},   {"sinh", std::sinh}, {"sqrt", std::sqrt},   {"tan", std::tan},
        {"tanh", std::tanh},
    };
    for (const Unary& u : cases) {
        for (double x : {-0.75, 0.5}) {
            double got = real_value(run(u.name, {float_result(x)}));
            double want = u.fn(x);
            if (std::isnan(want)) {
                EXPECT_TRUE(std::isnan(got)) << u.name;
            } else {
                EXPECT_EQ(got, want) << u.name << " " << x;
            }
        }
        EXPECT_TRUE(is_z(run(u.name, {num(4)}))) << u.name;  // an integer is not a real
    }
    EXPECT_TRUE(std::signbit(-0.0));
    EXPECT_FALSE(std::signbit(real_value(run("fabs", {float_result(-0.0)}))));
}

TEST_F(Host, TwoArgumentsAndStoredParts) {
    EXPECT_EQ(real_value(run("pow", {float_result(2), float_result(10)})), 1024.0);
    EXPECT_EQ(real_value(run("fmod", {float_result(7), float_result(3)})), 1.0);
    EXPECT_EQ(real_value(run("hypot", {float_result(3), float_result(4)})), 5.0);
    EXPECT_EQ(real_value(run("nextafter", {float_result(1), float_result(2)})), std::nextafter(1.0, 2.0));
    EXPECT_EQ(real_value(run("ldexp", {float_result(3), num(4)})), 48.0);
    EXPECT_TRUE(is_z(run("ldexp", {float_result(3), float_result(4)})));
    TermRef at = run("malloc", {num(8)});
    EXPECT_EQ(real_value(run("frexp", {float_result(48), at})), 0.75);
    EXPECT_EQ(value(run("refj", {at})), 6);
    EXPECT_EQ(real_value(run("modf", {float_result(2.25), at})), 0.25);
    EXPECT_EQ(*pointer<double>(at), 2.0);
    EXPECT_TRUE(is_z(run("modf", {float_result(2.25), num(0)})));
}

struct IntCase {
    const char* name;
    const char* argument;  // a number leaf: "05" is -5
    const char* expected;
};

TEST_F(Host, AbsAndLabs) {
    const IntCase cases[] = {
        {"abs", "05", "5"},
        {"abs", "4294967301", "4294967301"},
        {"labs", "4294967301", "5"},           // 2^32 + 5: the low 32 bits
        {"labs", "2147483649", "2147483647"},  // 2^31 + 1 reads as -(2^31 - 1)
        {"labs", "02147483648", "2147483648"},
        {"abs", "09223372036854775808", "09223372036854775808"},  // its own
    };
    for (const IntCase& c : cases) {
        EXPECT_EQ(leaf_text(run(c.name, {TermRef(c.argument)})), c.expected) << c.name << " " << c.argument;
    }
    EXPECT_TRUE(is_z(run("abs", {float_result(1)})));
}

}  // namespace
}  // namespace vesk::test
