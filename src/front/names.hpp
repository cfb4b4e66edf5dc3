// Character sets of the source syntax and the rules for names.
//
// Source-form names are written in definitions: lower-case words, single
// capitals and other single bytes, and operators in brackets such as "[+]".
// Term-form names are leaf texts after parsing, where an operator is already
// its bare character.
#pragma once

#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// Bytes next to which a run of blanks and newlines disappears.
inline constexpr std::string_view kBlankOrOperator = "\n #%&'*+,-./:;<=>?@\\^|";
// Bytes that never start a name or number and never stand alone in a chunk.
inline constexpr std::string_view kSpecialCharacters = "~!@#$%^&*<>-|+/=\\.`'\":;?(){},[] \n";
// Bytes that apply to the operand beside them without an operator between.
inline constexpr std::string_view kAffixCharacters = "~!\"$`";
// Bytes that may be defined as operators ("[+]" in a definition head).
inline constexpr std::string_view kNameOperatorCharacters = "{,}~!@#$%^&*<>-|+/=\\.`'\":;?";

// Set membership, by table lookup.
bool is_blank_or_operator(unsigned char c);
bool is_special_character(unsigned char c);
bool is_affix_character(unsigned char c);
bool is_name_operator_character(unsigned char c);
// '_' or 'a'..'z': the bytes of a lower-case name.
constexpr bool is_lower_byte(unsigned char c) {
    return c == '_' || (c >= 'a' && c <= 'z');
}
constexpr bool is_digit_byte(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Not empty, and every byte '_' or 'a'..'z'.
bool is_lower_name(std::string_view t);
// A source-form name: a lower-case name; one byte that is 1..31, 'A'..'Z'
// or 127 and above; or '[', a name operator character and ']'.
bool is_name(std::string_view t);
// "[+]" gives "+"; every other name is returned unchanged. Requires is_name
// (asserts otherwise).
Bytes name_text(std::string_view t);
// A term-form name: as is_name, but an operator is its one bare byte.
bool is_name_leaf(std::string_view t);

}  // namespace vesk
