// The term and value family: type real zits init cape rank leaf left rght
// lisp lits lots tern leak assert (one argument), post copy look raws (two)
// and cork trim (three).
#pragma once

#include "runtime/builtin_table.hpp"

namespace vesk {

extern const BuiltinFamily kTermsFamily;

}  // namespace vesk
