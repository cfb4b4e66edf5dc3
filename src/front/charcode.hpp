// The character code table, tree numerals, the text numeral map, the base-64
// alphabet and position codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

inline constexpr std::string_view kBase64Alphabet =
    "_abcdefghijklmnopqrustvwzxy0123456789ABCDEFGHIJKLMNOPQRUSTVWZXY~";

// Byte code of a row of the character code table: class digit 1-3 and character.
unsigned char char_code(int class_digit, char c);
// The nested-list text of n, 0 <= n < 677 (asserts otherwise).
Bytes tree_numeral(int n);
// The text numeral map, both directions: a one-byte text gives its numeral,
// a numeral gives its one-byte text; absent otherwise (bytes 10, '[' and ']'
// have none).
std::optional<Bytes> text_numeral_lookup(std::string_view key);
// Five base-64 digits of a source position, 0 <= n <= 2^30 ("!!!!!" for 2^30).
Bytes position_code(std::uint32_t n);

}  // namespace vesk
