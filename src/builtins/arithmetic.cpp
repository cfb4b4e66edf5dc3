// The rows of the arithmetic and comparison family.
#include "builtins/arithmetic.hpp"

#include "builtins/arithmetic_parts.hpp"

namespace vesk {

namespace {

constexpr BuiltinRow kArithmeticRows[] = {
    {"plus", 2, pure_effect, plus_handler}, {"dash", 2, pure_effect, dash_handler},
    {"mult", 2, pure_effect, mult_handler}, {"over", 2, pure_effect, over_handler},
    {"cent", 2, pure_effect, cent_handler}, {"powa", 2, pure_effect, powa_handler},
    {"less", 2, pure_effect, less_handler}, {"gteq", 2, pure_effect, gteq_handler},
    {"same", 2, pure_effect, same_handler}, {"diff", 2, pure_effect, diff_handler},
    {"cmpr", 2, pure_effect, cmpr_handler}, {"buck", 1, pure_effect, buck_handler},
    {"wave", 1, pure_effect, wave_handler},
};

}  // namespace

const BuiltinFamily kArithmeticFamily = {"arithmetic", kArithmeticRows};

}  // namespace vesk
