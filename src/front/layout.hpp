// Layout normalisation, bracket matching and the cutting of chunks into
// atoms, over source text.
//
// Brackets: '(' and '{' open and ')' and '}' close interchangeably (the
// bracket check has already made sure they pair by kind); a square literal
// "[...]" is opaque: inside it only '[' and ']' count.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "front/names.hpp"
#include "terms/term.hpp"

namespace vesk {

// Drops leading and trailing blanks and newlines, and reduces every inner
// run of them to nothing (next to an operator or inside a bracket's edge) or
// to one blank or one newline (between two operands; a newline when the run
// held one). Square literals are copied unchanged.
Bytes normalise_layout(std::string_view text);
// Index of the bracket matching text[i], or i when text[i] is no bracket.
// Requires i < text.size() and a matching bracket in the text (asserts).
std::size_t match_bracket(std::string_view text, std::size_t i);
// True when a chunk splits into two atoms between the bytes p and c (c is
// not the chunk's first byte, and p is not inside a bracket group): after a
// closing bracket, before an opening one, where a lower-case or digit run
// starts or a digit run ends, and before any byte that is not special.
//
// The rule depends on a few classes of each byte only, so one table gives
// both classes of a byte (the left one in bits 0-1, the right one in bits
// 2-4) and a second one the answer for each pair of classes.
namespace atom_cut_detail {
enum Left : std::uint8_t { left_close, left_lower, left_digit, left_other };
enum Right : std::uint8_t { right_open, right_lower, right_digit, right_special, right_plain };
constexpr std::array<std::uint8_t, 256> make_classes() {
    std::array<std::uint8_t, 256> classes{};
    for (int b = 0; b < 256; ++b) {
        auto c = static_cast<unsigned char>(b);
        std::uint8_t left = c == ']' || c == ')' ? left_close
                            : is_lower_byte(c)   ? left_lower
                            : is_digit_byte(c)   ? left_digit
                                                 : left_other;
        std::uint8_t right =
            c == '[' || c == '(' ? right_open
            : is_lower_byte(c)   ? right_lower
            : is_digit_byte(c)   ? right_digit
            : kSpecialCharacters.find(static_cast<char>(c)) != std::string_view::npos
                ? right_special
                : right_plain;
        classes[c] = static_cast<std::uint8_t>(left | right << 2);
    }
    return classes;
}
constexpr bool cut_of(int left, int right) {
    if (left == left_close || right == right_open) return true;
    if (right == right_lower) return left != left_lower;
    if (right == right_digit) return left != left_digit;
    if (left == left_digit) return true;
    return right == right_plain;
}
constexpr std::array<bool, 20> make_cuts() {
    std::array<bool, 20> cuts{};
    for (int l = 0; l < 4; ++l)
        for (int r = 0; r < 5; ++r) cuts[l * 5 + r] = cut_of(l, r);
    return cuts;
}
inline constexpr std::array<std::uint8_t, 256> kClasses = make_classes();
inline constexpr std::array<bool, 20> kCuts = make_cuts();
}  // namespace atom_cut_detail

inline bool is_atom_cut(unsigned char p, unsigned char c) {
    using namespace atom_cut_detail;
    return kCuts[(kClasses[p] & 3) * 5 + (kClasses[c] >> 2)];
}
// The cut positions of a chunk (text without top-level blanks, newlines or
// operators), in increasing order: atom k runs from cut k - 1 (or 0) to cut
// k (or the end). Bracket groups are passed over whole; requires balanced
// brackets (asserts through match_bracket).
std::vector<std::size_t> cut_chunk(std::string_view chunk);

}  // namespace vesk
