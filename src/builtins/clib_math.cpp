// The C library's mathematics on reals (doubles), and abs and labs on
// integers. labs reads the low 32 bits of its argument as a signed 32-bit
// number, so that a program gets the same result on every host whatever
// the width of its C long.
#include <cmath>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

using Unary = double (*)(double);
using Binary = double (*)(double, double);

TermRef real1(Call& c, Unary fn) {
    std::optional<double> x = float_argument(c.args[0]);
    if (!x) return c.fail();
    return float_result(fn(*x));
}

TermRef real2(Call& c, Binary fn) {
    std::optional<double> x = float_argument(c.args[0]), y = float_argument(c.args[1]);
    if (!x || !y) return c.fail();
    return float_result(fn(*x, *y));
}

TermRef ldexp_handler(Call& c) {
    std::optional<double> x = float_argument(c.args[0]);
    std::optional<std::int64_t> e = int_arg(c, 1);
    if (!x || !e) return c.fail();
    return float_result(std::ldexp(*x, static_cast<int>(*e)));
}

// frexp stores the exponent (a C int) at the address given.
TermRef frexp_handler(Call& c) {
    std::optional<double> x = float_argument(c.args[0]);
    std::optional<void*> at = record_arg(c, 1, sizeof(int), Access::write);
    if (!x || !at) return c.fail();
    return float_result(std::frexp(*x, static_cast<int*>(*at)));
}

// modf stores the integral part (a double) at the address given.
TermRef modf_handler(Call& c) {
    std::optional<double> x = float_argument(c.args[0]);
    std::optional<void*> at = record_arg(c, 1, sizeof(double), Access::write);
    if (!x || !at) return c.fail();
    return float_result(std::modf(*x, static_cast<double*>(*at)));
}

// The 64-bit absolute value; the most negative value is its own, as the
// two's complement negation leaves it.
TermRef abs_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n) return c.fail();
    auto u = static_cast<std::uint64_t>(*n);
    return integer_result(static_cast<std::int64_t>(*n < 0 ? 0 - u : u));
}

TermRef labs_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n) return c.fail();
    auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(*n));
    std::int64_t wide = low;
    return integer_result(wide < 0 ? -wide : wide);
}

#define VESK_REAL1(name) {#name, 1, pure_effect, [](Call& c) { return real1(c, [](double x) { return std::name(x); }); }}
#define VESK_REAL2(name) \
    {#name, 2, pure_effect, [](Call& c) { return real2(c, [](double x, double y) { return std::name(x, y); }); }}

constexpr BuiltinRow kClibMathRows[] = {
    VESK_REAL1(acos), VESK_REAL1(asin), VESK_REAL1(atan),  VESK_REAL1(ceil), VESK_REAL1(cos),
    VESK_REAL1(cosh), VESK_REAL1(erf),  VESK_REAL1(erfc),  VESK_REAL1(exp),  VESK_REAL1(fabs),
    VESK_REAL1(floor), VESK_REAL1(log), VESK_REAL1(sin),   VESK_REAL1(sinh), VESK_REAL1(sqrt),
    VESK_REAL1(tan),  VESK_REAL1(tanh), VESK_REAL2(fmod),  VESK_REAL2(hypot), VESK_REAL2(nextafter),
    VESK_REAL2(pow),
    {"ldexp", 2, pure_effect, ldexp_handler},
    {"frexp", 2, touches_host, frexp_handler},
    {"modf", 2, touches_host, modf_handler},
    {"abs", 1, pure_effect, abs_handler},
    {"labs", 1, pure_effect, labs_handler},
};

#undef VESK_REAL1
#undef VESK_REAL2

}  // namespace

const BuiltinFamily kClibMathFamily = {"mathematics", kClibMathRows};

}  // namespace vesk
