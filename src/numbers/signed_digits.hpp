// Integer terms read as signed decimal text, and canonical integer leaves
// made from results. Internal to src/numbers.
//
// Every integer has exactly one canonical text: "0" for zero, the digits
// of a positive value without leading zeros, and one extra leading "0" for
// a negative value. So once read, two integers compare by sign, digit
// count and bytes, with no arithmetic at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "numbers/natural.hpp"
#include "numbers/wide.hpp"
#include "terms/term.hpp"

namespace vesk {

// A signed integer as text: the digits of its magnitude without leading
// zeros ("0" for zero, which is never negative).
struct SignedDigits {
    bool negative;
    std::string_view digits;
};

// Reads the integer a term (borrowed) stands for: a decimal integer leaf,
// the leaf K (zero), or a complete bit list whose first bit is K. The digits
// view into the leaf, or into `storage` when a bit list was converted, so
// they live as long as both. nullopt for any other term, including number
// leaves that hold bytes other than digits.
std::optional<SignedDigits> read_integer(const Term* t, Bytes& storage);

// Reads a canonical decimal integer text; nullopt for any other text.
std::optional<SignedDigits> read_integer_text(std::string_view text);

// Magnitudes of at most this many digits fit 64 bits and take the fast paths.
inline constexpr std::size_t kSmallDigits = 19;
inline bool is_small(const SignedDigits& x) {
    return x.digits.size() <= kSmallDigits;
}
// The value of at most kSmallDigits digits.
std::uint64_t small_value(std::string_view digits);

// A number leaf of the text (borrowed), made with the annotation the
// machine gives every number leaf (arity 1, nothing pending), so results
// need no annotation pass.
[[nodiscard]] TermRef number_result(std::string_view text);
// The canonical integer leaf of a sign and a magnitude; zero is never
// written negative.
[[nodiscard]] TermRef integer_result(bool negative, std::string_view digits);
[[nodiscard]] TermRef integer_result(bool negative, U128 magnitude);
[[nodiscard]] TermRef integer_result(bool negative, const Natural& magnitude);
// The failure leaf Z.
[[nodiscard]] TermRef failure_leaf();

}  // namespace vesk
