#include "builtins/arithmetic.hpp"

#include "builtins/arithmetic_parts.hpp"

namespace vesk {

void register_arithmetic(BuiltinTable& table) {
    static const struct {
        const char* name;
        std::uint8_t arity;
        BuiltinHandler handler;
    } kRows[] = {
        {"plus", 2, plus_handler}, {"dash", 2, dash_handler}, {"mult", 2, mult_handler},
        {"over", 2, over_handler}, {"cent", 2, cent_handler}, {"powa", 2, powa_handler},
        {"less", 2, less_handler}, {"gteq", 2, gteq_handler}, {"same", 2, same_handler},
        {"diff", 2, diff_handler}, {"cmpr", 2, cmpr_handler}, {"buck", 1, buck_handler},
        {"wave", 1, wave_handler},
    };
    for (const auto& row : kRows) table[row.name] = BuiltinEntry{row.arity, row.handler};
}

}  // namespace vesk
