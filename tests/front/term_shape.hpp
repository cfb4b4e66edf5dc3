// Test helpers: the structure of a term as fully parenthesised text, and
// walks along a term's spine, both without recursion.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "terms/term.hpp"

namespace vesk::testing {

// Leaves show as their text, pairs as "(L R)"; nothing is flattened, so the
// text shows the exact shape: ((g x) y) is "((g x) y)".
inline std::string shape(const TermRef& t) {
    std::string out;
    // A pending item is a cell to show, or a literal byte to emit.
    std::vector<std::pair<const Term*, char>> todo{{t.get(), 0}};
    while (!todo.empty()) {
        auto [cell, literal] = todo.back();
        todo.pop_back();
        if (cell == nullptr) {
            out += literal;
        } else if (is_leaf_cell(cell)) {
            out += leaf_view(cell);
        } else {
            todo.push_back({nullptr, ')'});
            todo.push_back({right_cell(cell), 0});
            todo.push_back({nullptr, ' '});
            todo.push_back({left_cell(cell), 0});
            todo.push_back({nullptr, '('});
        }
    }
    return out;
}

// Steps taken going right (or left) from the root until a leaf.
inline std::size_t right_depth(const TermRef& t) {
    std::size_t n = 0;
    for (const Term* c = t.get(); !is_leaf_cell(c); c = right_cell(c)) ++n;
    return n;
}
inline std::size_t left_depth(const TermRef& t) {
    std::size_t n = 0;
    for (const Term* c = t.get(); !is_leaf_cell(c); c = left_cell(c)) ++n;
    return n;
}

}  // namespace vesk::testing
