// Integers as terms: decimal number leaves and bit lists, and conversions to
// and from host integers. Handles passed by value are consumed.
#pragma once

#include <cstdint>

#include "terms/term.hpp"

namespace vesk {

TermRef int_term(std::int64_t value);
TermRef uint_term(std::uint64_t value);
Bytes int_text(std::int64_t value);
// True for decimal integer leaves, the leaf K and bit lists starting (J K).
bool is_integer(TermRef t);
void require_integer(TermRef t);
bool is_non_negative(TermRef t);
TermRef magnitude(TermRef t);
// The host value modulo 2^64.
std::int64_t int_value(TermRef t);
Bytes decimal_text(TermRef t);
TermRef real_value(TermRef t);
// The numb that stands for an integer in mixed integer/numb arithmetic.
TermRef widen(TermRef t);

}  // namespace vesk
