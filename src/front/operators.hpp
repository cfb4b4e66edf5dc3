// The operators of the grammar by level, loosest first, in one table that
// the parser and the quick read of a definition both read:
//   1  ; \ {      let and lambda binders (fold right)
//   2  ? newline
//   3  & |        (fold right)
//   4  = < > #    (fold right)
//   5  @ blank    application
//   6  + - : .
//   7  * / % '
//   8  ^          (fold right)
// An affix (~ ! " $ `) wraps the operand it stands before.
#pragma once

#include <array>
#include <cstdint>

#include "front/names.hpp"

namespace vesk {

inline constexpr std::uint8_t kNoOperator = 9;
inline constexpr std::uint8_t kAffix = 10;
inline constexpr std::uint8_t kTightestLevel = 8;

// The level of each byte: 1 to 8 for an operator, kAffix for an affix,
// kNoOperator for every other byte.
constexpr std::array<std::uint8_t, 256> make_operator_levels() {
    std::array<std::uint8_t, 256> levels{};
    for (auto& l : levels) l = kNoOperator;
    for (char c : kAffixCharacters) levels[static_cast<unsigned char>(c)] = kAffix;
    const char* rows[] = {";\\{", "?\n", "&|", "=<>#", "@ ", "+-:.", "*/%'", "^"};
    for (std::uint8_t level = 1; level <= kTightestLevel; ++level)
        for (const char* c = rows[level - 1]; *c != '\0'; ++c)
            levels[static_cast<unsigned char>(*c)] = level;
    return levels;
}
inline constexpr std::array<std::uint8_t, 256> kOperatorLevels = make_operator_levels();

constexpr bool folds_right(int level) {
    return level == 1 || level == 3 || level == 4 || level == 8;
}

}  // namespace vesk
