// The arithmetic and comparison family: plus dash mult over cent powa less
// gteq same diff cmpr (two arguments) and buck wave (one).
#pragma once

#include "runtime/builtin_table.hpp"

namespace vesk {

extern const BuiltinFamily kArithmeticFamily;

}  // namespace vesk
