#include "front/bracket_table.hpp"

#include "front/byte_sets.hpp"
#include "terms/assert.hpp"

namespace vesk {

BracketTable build_bracket_table(std::string_view text) {
    BracketTable table;
    pair_brackets(text, 0, text.size(), table);
    return table;
}

void pair_brackets(std::string_view text, std::size_t begin, std::size_t end, BracketTable& table) {
    table.base = begin;
    table.partner.resize(end - begin);
    std::vector<std::size_t> open;
    auto close = [&](std::size_t i) {
        VESK_ASSERT(!open.empty());
        std::size_t j = open.back();
        open.pop_back();
        table.partner[i - begin] = j;
        table.partner[j - begin] = i;
    };
    constexpr ByteSet kBrackets = make_byte_set("()[]{}");
    constexpr ByteSet kSquares = make_byte_set("[]");
    std::string_view range = text.substr(0, end);
    bool in_square = false;
    for (std::size_t i = next_in(range, begin, kBrackets); i < end;
         i = next_in(range, i + 1, in_square ? kSquares : kBrackets)) {
        // Inside a square literal the scan stops at square brackets only.
        char c = text[i];
        if (c == '[' || c == '(' || c == '{') {
            open.push_back(i);
        } else {
            VESK_ASSERT(c != ']' || in_square);
            close(i);
        }
        in_square = !open.empty() && text[open.back()] == '[';
    }
    VESK_ASSERT(open.empty());
}

}  // namespace vesk
