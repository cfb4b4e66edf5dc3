#include "engine_support.hpp"

#include "runtime/definitions.hpp"
#include "../support/test_runtime.hpp"

#include <deque>
#include <string>
#include <vector>


namespace vesk::test {

namespace {

struct Reader {
    std::string_view text;
    std::size_t at = 0;

    void skip_blanks() {
        while (at < text.size() && text[at] == ' ') ++at;
    }
    std::string_view word() {
        std::size_t start = at;
        if (text[at] == '[') {
            int depth = 0;
            do {
                if (text[at] == '[') ++depth;
                if (text[at] == ']') --depth;
                ++at;
            } while (depth > 0 && at < text.size());
        } else {
            while (at < text.size() && text[at] != ' ' && text[at] != '(' && text[at] != ')') ++at;
        }
        return text.substr(start, at - start);
    }
    // A sequence of atoms up to a ')' or the end, applied left to right.
    TermRef sequence() {
        std::vector<TermRef> items;
        for (;;) {
            skip_blanks();
            if (at >= text.size() || text[at] == ')') break;
            if (text[at] == '(') {
                ++at;
                items.push_back(sequence());
                EXPECT_LT(at, text.size());
                ++at;  // ')'
            } else {
                items.push_back(leaf_term(word()));
            }
        }
        EXPECT_FALSE(items.empty()) << "empty group in: " << text;
        TermRef acc = items[0];
        for (std::size_t i = 1; i < items.size(); ++i) acc = make_pair(acc, items[i]);
        return acc;
    }
};

void show_into(const TermRef& t, Bytes& out, bool argument) {
    if (!is_pair(t)) {
        out += leaf_text(t);
        return;
    }
    if (argument) out += '(';
    show_into(left(t), out, false);
    out += ' ';
    show_into(right(t), out, true);
    if (argument) out += ')';
}

}  // namespace

TermRef term(std::string_view text) {
    Reader r{text};
    TermRef t = r.sequence();
    EXPECT_EQ(r.at, text.size()) << "unbalanced: " << text;
    return t;
}

TermRef lambdas(std::string_view letters, std::string_view body) {
    TermRef acc = term(body);
    for (std::size_t i = letters.size(); i-- > 0;) {
        acc = make_pair(make_pair(TermRef("\\"), leaf_term(letters.substr(i, 1))), acc);
    }
    return acc;
}

void install_builtin(std::string_view name, int arity, BuiltinHandler handler,
                     std::uint8_t effects) {
    static std::deque<BuiltinRow> rows;
    rows.push_back({name, static_cast<std::uint8_t>(arity), effects, handler});
    rt().builtins.insert_or_assign(name, &rows.back());
    rt().globals.insert_or_assign(Bytes(name), builtin_template(arity));
}

void define(const char* name, std::string_view body, bool uncached) {
    if (uncached) {
        rt().globals.insert_or_assign(name, make_pair(TermRef("I"), term(body)));
        rt().uncached.insert(name);
    } else {
        rt().globals.insert_or_assign(name, term(body));
        rt().uncached.erase(name);
    }
}

bool same_term(const TermRef& a, const TermRef& b) {
    return compare_cells(a.cell, b.cell) == 0;
}

Bytes show(const TermRef& t) {
    Bytes out;
    show_into(t, out, false);
    return out;
}

void EngineTest::SetUp() {
    drop_runtime();
    live_before_ = cell_counts().live;
    fresh_runtime();
}

void EngineTest::TearDown() {
    drop_runtime();
    EXPECT_EQ(cell_counts().live, live_before_) << "cells left alive by the test";
}

}  // namespace vesk::test
