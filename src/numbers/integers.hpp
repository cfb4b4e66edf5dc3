// Integers as terms: decimal number leaves and bit lists, and conversions to
// and from host integers. Handles passed by value are consumed, handles
// passed as const TermRef& are borrowed.
//
// Shapes. A decimal integer leaf is "0", digits starting 1-9 (positive), or
// "0" followed by digits starting 1-9 (negative). The leaf K is the empty
// bit list and reads as zero. A bit list is a chain of cells ((J b) rest),
// b being K (1) or H (0), ending in the leaf K or in a number leaf whose bit
// string is appended; it is an integer when its first bit is K.
//
// The plain operations below assert on terms that are not integers; they
// are for callers that have established the shape. A built-in works on
// values straight from a running program and uses the checked_ variants,
// which answer nullopt instead, and also refuse malformed terms that pass
// the quick shape test (a number leaf holding other bytes than digits, a
// chain with a bad cell or tail).
#pragma once

#include <cstdint>
#include <optional>

#include "numbers/bits.hpp"
#include "terms/term.hpp"

namespace vesk {

// The canonical integer leaf of a host value: "0", the digits, or "0" and
// the digits of the magnitude for a negative value (INT64_MIN gives
// "09223372036854775808").
[[nodiscard]] TermRef int_term(std::int64_t value);
// The plain decimal leaf of an unsigned value (addresses, raw memory).
[[nodiscard]] TermRef uint_term(std::uint64_t value);
// The value as "%lli" writes it ("-42"), for messages.
Bytes int_text(std::int64_t value);

// ---- Shape tests (constant time for is_integer) ------------------------------

// True for decimal integer leaves, the leaf K and pairs whose left child is
// (J K). Looks at the first cell only.
bool is_integer(TermRef t);
// Asserts is_integer.
void require_integer(TermRef t);
// The wider test of the bit-string conversion: the leaf K, any number leaf,
// and any pair whose left child is (J K) or (J H). Borrows t.
bool is_number_shape(const TermRef& t);
// True for a chain of cells ((J b) rest), every b K or H, ending in the
// leaf K or a number leaf; the bare leaf K is not one. Walks the whole
// chain without recursion. Borrows t.
bool is_complete_bit_list(const TermRef& t);
// True when t (borrowed) is an integer that the checked operations accept:
// is_integer and well formed all through.
bool is_integer_value(const TermRef& t);

// ---- Conversions ---------------------------------------------------------------

// Sign test: false exactly for negative integers.
bool is_non_negative(TermRef t);
std::optional<bool> checked_is_non_negative(TermRef t);
// The absolute value as a decimal integer leaf; a non-negative leaf comes
// back as the same cell.
[[nodiscard]] TermRef magnitude(TermRef t);
[[nodiscard]] std::optional<TermRef> checked_magnitude(TermRef t);
// The host value modulo 2^64.
std::int64_t int_value(TermRef t);
std::optional<std::int64_t> checked_int_value(TermRef t);
// The decimal text of a number term: a number leaf's own text, a bit list's
// text through its code number, "0" for the leaf K.
Bytes decimal_text(TermRef t);
std::optional<Bytes> checked_decimal_text(TermRef t);
// The real leaf (a blank and the eight little-endian bytes of a double)
// that the C library's decimal reader makes of the integer.
[[nodiscard]] TermRef real_value(TermRef t);
[[nodiscard]] std::optional<TermRef> checked_real_value(TermRef t);
// The numb that stands for an integer in mixed integer/numb arithmetic:
// bit 0 of the integer's code number moves to bit 1 and bit i >= 1 to bit
// 2i, every other bit 0; the leaf K widens to "00".
[[nodiscard]] TermRef widen(TermRef t);
[[nodiscard]] std::optional<TermRef> checked_widen(TermRef t);

// The code number of the bit string a number term (borrowed) denotes: a
// number leaf's through text_to_bits, the byte 1 for the leaf K, and for a
// complete bit list its bits followed by its tail's. nullopt for other terms.
std::optional<BitString> code_number(const TermRef& t);

}  // namespace vesk
