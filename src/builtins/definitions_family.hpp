// The run-time definitions: road and load (one argument each), which load
// program text into the running program and reduce its main expression.
#pragma once

#include "runtime/builtin_table.hpp"

namespace vesk {

extern const BuiltinFamily kDefinitionsFamily;

}  // namespace vesk
