// The partner of every bracket of a text, found in one pass, so that the
// parser can pass over a bracket group in constant time however often the
// levels of the grammar meet it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace vesk {

// The brackets of one range of a text, [base, base + partner.size()).
struct BracketTable {
    std::size_t base = 0;
    // partner[i - base]: the index of the bracket matching text[i] when
    // text[i] is a bracket, as match_bracket gives it; unspecified for
    // other bytes.
    std::vector<std::size_t> partner;
};

// Pairs the brackets of `text`: '(' and '{' with ')' and '}', square
// literals opaque. Requires bracket-balanced text, as the bracket check
// leaves it (asserts otherwise).
BracketTable build_bracket_table(std::string_view text);
// The same for the bracket-balanced range [begin, end) of `text`, into
// `table`, whose room is reused: a program's pieces are paired one by one.
void pair_brackets(std::string_view text, std::size_t begin, std::size_t end, BracketTable& table);

// The index of the bracket matching the one at text[i] (inside the range).
inline std::size_t partner_at(const BracketTable& table, std::size_t i) {
    return table.partner[i - table.base];
}

// The index just past the group opening at text[i], or i + 1 for any other
// byte.
inline std::size_t past_group(std::string_view text, const BracketTable& table, std::size_t i) {
    char c = text[i];
    bool opens = c == '(' || c == '{' || c == '[';
    return opens ? partner_at(table, i) + 1 : i + 1;
}

}  // namespace vesk
