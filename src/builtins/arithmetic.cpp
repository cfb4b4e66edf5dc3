// The rows of the arithmetic and comparison family.
#include "builtins/arithmetic.hpp"

#include "builtins/arithmetic_parts.hpp"

namespace vesk {

namespace {

using Op = ArithmeticOp;

constexpr BuiltinRow kArithmeticRows[] = {
    {"plus", 2, pure_effect, [](Call& c) { return arithmetic(Op::plus, c); }, IntegerRule::plus},
    {"dash", 2, pure_effect, [](Call& c) { return arithmetic(Op::dash, c); }, IntegerRule::minus},
    {"mult", 2, pure_effect, [](Call& c) { return arithmetic(Op::mult, c); }, IntegerRule::times},
    {"over", 2, pure_effect, [](Call& c) { return arithmetic(Op::over, c); },
     IntegerRule::quotient},
    {"cent", 2, pure_effect, [](Call& c) { return arithmetic(Op::cent, c); },
     IntegerRule::remainder},
    {"powa", 2, pure_effect, [](Call& c) { return arithmetic(Op::powa, c); }},
    {"less", 2, pure_effect, [](Call& c) { return order(c, true); }, IntegerRule::less},
    {"gteq", 2, pure_effect, [](Call& c) { return order(c, false); }, IntegerRule::at_least},
    {"same", 2, pure_effect, [](Call& c) { return equality(c, true); }, IntegerRule::same},
    {"diff", 2, pure_effect, [](Call& c) { return equality(c, false); }, IntegerRule::differ},
    {"cmpr", 2, pure_effect, cmpr_handler},
    {"buck", 1, pure_effect, buck_handler},
    {"wave", 1, pure_effect, wave_handler},
};

}  // namespace

const BuiltinFamily kArithmeticFamily = {"arithmetic", kArithmeticRows};

}  // namespace vesk
