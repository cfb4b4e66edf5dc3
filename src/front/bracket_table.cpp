#include "front/bracket_table.hpp"

#include "terms/assert.hpp"

namespace vesk {

BracketTable build_bracket_table(std::string_view text) {
    BracketTable table;
    table.partner.resize(text.size());
    std::vector<std::size_t> open;
    auto close = [&](std::size_t i) {
        VESK_ASSERT(!open.empty());
        std::size_t j = open.back();
        open.pop_back();
        table.partner[i] = j;
        table.partner[j] = i;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
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
    return table;
}

}  // namespace vesk
