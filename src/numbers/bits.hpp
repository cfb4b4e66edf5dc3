// BitString: a byte string read as a little-endian bit vector (bit i is bit
// i mod 8 of byte i / 8), the value behind every number leaf.
//
// Read as an unsigned integer N, bit i weighs 2^i and bits past the end read
// as 0. A canonical string is non-empty with no trailing zero byte. N is the
// code number of a bit list: the bits below its highest set bit, lowest
// first; the highest set bit only closes the list. So 1 is the empty list,
// 2 the list (0), 3 the list (1).
//
// Number-leaf texts stand for code numbers N >= 2, one to one:
//   "0"                      3
//   d (first digit 1-9)      4d + 3
//   "0" d                    4d + 1
//   "00" + z zeros           2^(z+1)
//   "00" + z zeros + D       2^(z+1) + D * 2^(z+2)   (D's first digit 1-9)
//
// Operations take string views they only read and return new strings.
// Arithmetic results are trimmed (zero becomes the empty string).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

using BitString = Bytes;

// ---- Bits and lengths -------------------------------------------------------

// Bit i of s; false at or beyond 8 * length.
bool bit_at(std::size_t i, std::string_view s);
// s (consumed) with bit i set to v. Grows s by blocks of 8 zero bytes until
// bit i is inside; the result may end in zero bytes (callers trim).
BitString set_bit(std::size_t i, bool v, BitString s);
// Index of the highest set bit plus one; 0 when no bit is set.
std::size_t bit_length(std::string_view s);
// s (consumed) without its trailing zero bytes; all zeros give "".
BitString trim_bits(BitString s);
// True when no bit is set (the empty string included).
bool is_zero_bits(std::string_view s);
// True for a non-empty string whose last byte is not zero.
bool is_canonical_bits(std::string_view s);
// A string of n zero bytes.
BitString zero_bytes(std::size_t n);

// ---- Arithmetic on values ---------------------------------------------------

BitString add_bits(std::string_view a, std::string_view b);
BitString add_small(std::string_view s, std::uint32_t k);
BitString mul_small(std::string_view s, std::uint32_t k);
// s * 2^k.
BitString shift_bits(std::string_view s, std::size_t k);
// The quotient of s by k, rounded down. Asserts k != 0.
BitString div_small(std::string_view s, std::uint32_t k);
// div_small(s, 2).
BitString half(std::string_view s);
// s mod 10.
unsigned mod_ten(std::string_view s);

// ---- Bit lists (s is a code number) -----------------------------------------

// Number of elements: the index of the highest set bit. Asserts s canonical.
std::size_t list_length(std::string_view s);
// Element i (0 = first). Asserts s canonical and i < list_length(s).
bool list_element(std::size_t i, std::string_view s);
// The elements of a followed by those of b. Asserts both canonical.
BitString list_append(std::string_view a, std::string_view b);

// Checked forms for values that come from a running program: absent where
// the plain form would assert.
std::optional<std::size_t> checked_list_length(std::string_view s);
std::optional<bool> checked_list_element(std::int64_t i, std::string_view s);
std::optional<BitString> checked_list_append(std::string_view a, std::string_view b);
// set_bit for an index that may be negative (absent then). The caller bounds
// the index from above: the string grows to hold any index given.
std::optional<BitString> checked_set_bit(std::int64_t i, bool v, BitString s);

// ---- Number-leaf texts ------------------------------------------------------

// The code number of a number-leaf text (digits only, non-empty), trimmed.
BitString text_to_bits(std::string_view text);
// The number-leaf text of a canonical code number other than 1.
Bytes bits_to_text(std::string_view bits);
// Absent for an empty text or one holding a byte other than a digit.
std::optional<BitString> checked_text_to_bits(std::string_view text);
// Absent for a non-canonical string and for the code number 1.
std::optional<Bytes> checked_bits_to_text(std::string_view bits);
// The number-leaf text of the list without its first element (half the code
// number), worked on the decimal text itself so that walking a long number's
// bits costs linear time per step. Absent for "0" and "00", whose lists have
// one element and no number-leaf remainder. Asserts a digits-only text.
std::optional<Bytes> number_rest_text(std::string_view text);

// ---- As terms ---------------------------------------------------------------

// The number leaf of a canonical code number, or the leaf K for the empty
// list (the one byte 1). Asserts s canonical.
[[nodiscard]] TermRef bits_term(std::string_view bits);
// The same for any string, trimmed first; absent when its value is zero.
[[nodiscard]] std::optional<TermRef> checked_bits_term(std::string_view bits);
// The explicit list ((J b) rest) ... ending in the leaf K, b being K for 1 and
// H for 0, built without recursion. Asserts s canonical.
[[nodiscard]] TermRef bits_list_term(std::string_view bits);

}  // namespace vesk
