// Test helper: terms written as fully parenthesised applications.
//   "x"            the leaf x
//   "(f a b)"      ((f a) b)
//   "(\\ x body)"  the lambda ((\ x) body); "({ x v body)" the let
// Tokens are separated by blanks and parentheses; every other byte is part
// of a leaf's text. Only for the small terms of tests: it recurses.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "terms/term.hpp"

namespace vesk::test {

inline TermRef sx_read(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size() || text[at] != '(') {
        std::size_t start = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '(' && text[at] != ')') ++at;
        return leaf_term(text.substr(start, at - start));
    }
    ++at;
    TermRef acc = sx_read(text, at);
    for (;;) {
        while (at < text.size() && text[at] == ' ') ++at;
        if (at >= text.size() || text[at] == ')') break;
        acc = make_pair(std::move(acc), sx_read(text, at));
    }
    ++at;
    return acc;
}

inline TermRef sx(std::string_view text) {
    std::size_t at = 0;
    return sx_read(text, at);
}

// The same notation back: left-nested applications are flattened.
inline Bytes sx_show(const TermRef& t) {
    if (!is_pair(t)) return leaf_text(t);
    std::vector<TermRef> spine;
    TermRef head = t;
    while (is_pair(head)) {
        spine.push_back(right(head));
        head = left(head);
    }
    Bytes out = "(" + sx_show(head);
    for (auto at = spine.rbegin(); at != spine.rend(); ++at) out += " " + sx_show(*at);
    return out + ")";
}

}  // namespace vesk::test
