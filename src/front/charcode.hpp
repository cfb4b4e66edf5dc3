// The character code table, tree numerals, the text numeral map, the base-64
// alphabet and position codes.
//
// The character code table has 256 rows. Each row is a colour class (1, 2 or
// 3) and one printable ASCII character, and the rows map one-to-one onto the
// 256 byte values:
//   class 3  plain   the printable byte itself (33..126)
//   class 1  red     the same characters moved up by 128 (161..254)
//   class 2  green   letters, digits and punctuation placed on the control
//                    codes 0..32, on 127..160 and on 255
// The error display shows every byte as its row's character in its class's
// colour; the text numeral map ties each byte to the numeral of its row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "terms/leaf_text.hpp"
#include "terms/term.hpp"

namespace vesk {


// The largest position a position code can name; it shows as "!!!!!".
inline constexpr std::uint32_t kPositionLimit = std::uint32_t{1} << 30;

// One row of the character code table.
struct CharRow {
    int colour_class;  // 1 red, 2 green, 3 plain
    char character;    // the printable character the byte is shown as
};

// Byte code of a row of the character code table: class digit 1-3 and
// character. A blank or newline is its own byte in every class. Asserts on a
// class outside 1-3; a class-2 character with no place in the glyph rows is
// a fatal failure ("nopqchar").
unsigned char char_code(int class_digit, char c);
// The row of the table whose code is `byte`: its colour class and character.
// Every byte has exactly one row.
CharRow char_row(unsigned char byte);
// The row number (0..255) of the table whose code is `byte`.
int char_row_index(unsigned char byte);
// The nested-list text of n, 0 <= n < 677 (asserts otherwise).
Bytes tree_numeral(int n);
// The text numeral map, both directions: a one-byte text gives its numeral,
// a numeral gives its one-byte text; absent otherwise (bytes 10, '[' and ']'
// have none). Built on first use and kept for the process.
std::optional<Bytes> text_numeral_lookup(std::string_view key);
// Five base-64 digits of a source position, 0 <= n <= 2^30 ("!!!!!" for
// 2^30; asserts beyond).
Bytes position_code(std::uint32_t n);
// The same for any index into a text: positions past 2^30 saturate to
// "!!!!!", so messages about very large texts never trip the assertion.
Bytes position_code_of(std::size_t index);

}  // namespace vesk
