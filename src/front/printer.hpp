// The term printer: compact, source-like text of a term.
#pragma once

#include "terms/term.hpp"

namespace vesk {

// Text of the term (borrowed). Never truncates.
Bytes print_term(const TermRef& t);

}  // namespace vesk
