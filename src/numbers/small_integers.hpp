// Integer leaves of at most 18 digits read as host values: the quick path
// of arithmetic on small numbers, for the built-ins and for the engine's
// integer bodies alike. A leaf made by integer_result may hold its value in
// a word of its own (term.hpp), read without a parse.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// Up to 18 digits cannot overflow a signed 64-bit value.
inline constexpr std::size_t kFastDigits = 18;

// The value of a run of 1 to 18 decimal digits; empty when it is longer or
// holds anything but digits.
std::optional<std::int64_t> short_decimal(std::string_view digits);

// The exact value of an integer leaf of at most 18 digits (t borrowed); empty
// for every other term (longer integers, lists, other kinds). The
// arithmetic handlers take their 64-bit fast path when both operands have
// one.
std::optional<std::int64_t> small_integer(const Term* t);

}  // namespace vesk
