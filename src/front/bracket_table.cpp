#include "front/bracket_table.hpp"

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
    for (std::size_t i = begin; i < end; ++i) {
        char c = text[i];
        bool in_square = !open.empty() && text[open.back()] == '[';
        if (c == '[') {
            open.push_back(i);
        } else if (c == ']') {
            VESK_ASSERT(in_square);
            close(i);
        } else if (in_square) {
            continue;
        } else if (c == '(' || c == '{') {
            open.push_back(i);
        } else if (c == ')' || c == '}') {
            close(i);
        }
    }
    VESK_ASSERT(open.empty());
}

}  // namespace vesk
