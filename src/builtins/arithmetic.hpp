// The arithmetic and comparison family: plus dash mult over cent powa less
// gteq same diff cmpr (two arguments) and buck wave (one).
#pragma once

#include "builtins/table.hpp"

namespace vesk {

// Adds the family's thirteen rows to the table.
void register_arithmetic(BuiltinTable& table);

}  // namespace vesk
