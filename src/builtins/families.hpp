// Every family of built-ins, and filling a runtime's table from them.
#pragma once

#include <span>

#include "runtime/runtime.hpp"

namespace vesk {

// The families, in the order their rows enter the table. A family joins the
// list once its handlers work; the table never holds a row whose handler
// does not.
std::span<const BuiltinFamily* const> builtin_families();

// Enters every family's rows into rt.builtins.
void install_builtins(Runtime& rt);

}  // namespace vesk
