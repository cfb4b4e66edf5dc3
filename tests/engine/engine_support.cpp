#include "engine_support.hpp"

#include <string>
#include <vector>

#include "builtins/values.hpp"

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

Bytes small_int_text(std::int64_t v) {
    if (v == 0) return "0";
    if (v < 0) return "0" + std::to_string(-v);
    return std::to_string(v);
}

// The two integer arguments of a binary test built-in, or nothing.
bool two_ints(TermRef redex, std::int64_t& a, std::int64_t& b) {
    Arguments args = open_arguments(std::move(redex), 2);
    auto x = integer_argument(args.at[0]);
    auto y = integer_argument(args.at[1]);
    if (!x || !y) return false;
    a = *x;
    b = *y;
    return true;
}

TermRef test_plus(TermRef redex) {
    std::int64_t a, b;
    if (!two_ints(std::move(redex), a, b)) return failure_result();
    return leaf_term(small_int_text(a + b));
}
TermRef test_dash(TermRef redex) {
    std::int64_t a, b;
    if (!two_ints(std::move(redex), a, b)) return failure_result();
    return leaf_term(small_int_text(a - b));
}
TermRef test_mult(TermRef redex) {
    std::int64_t a, b;
    if (!two_ints(std::move(redex), a, b)) return failure_result();
    return leaf_term(small_int_text(a * b));
}
TermRef test_less(TermRef redex) {
    std::int64_t a, b;
    if (!two_ints(std::move(redex), a, b)) return failure_result();
    return truth_result(a < b);
}
TermRef test_same(TermRef redex) {
    std::int64_t a, b;
    if (!two_ints(std::move(redex), a, b)) return failure_result();
    return truth_result(a == b);
}

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

void reset_tables() {
    global_table().clear();
    uncached_names().clear();
    prelude_table().clear();
    clear_builtin_table();
}

void install_combinators() {
    struct Row {
        const char* name;
        const char* letters;
        const char* body;
    };
    static const Row kRows[] = {
        {"A", "a", "a S (B K K)"},
        {"B", "abc", "a (b c)"},
        {"C", "abc", "a c b"},
        {"D", "abcd", "a b (c d)"},
        {"E", "abcde", "a b (c d e)"},
        {"F", "ab", "V b a"},
        {"G", "a", "V Z (B W (B C) (D D V) (V (X J)))"},
        {"H", "a", "I"},
        {"I", "a", "a"},
        {"J", "abc", "V a b"},
        {"K", "ab", "a"},
        {"L", "a", "a K (K (K H))"},
        {"M", "a", "a a"},
        {"N", "a", "K"},
        {"O", "ab", "b (a b)"},
        {"P", "a", "a (X S) I"},
        {"Q", "a", "a Z K"},
        {"R", "a", "a Z H"},
        {"U", "abcde", "e (V a b) (V c d)"},
        {"S", "abc", "a c (b c)"},
        {"T", "ab", "b a"},
        {"V", "abc", "c a b"},
        {"W", "ab", "a b b"},
        {"Z", "a", "Z"},
        {"X", "abcd", "V b (a d c)"},
        {"Y", "ab", "a (Y a) b"},
        {"\\", "abc", "Z"},
        {"{", "abc", "Z"},
        {"!", "p", "p H K"},
        {"&", "qr", "q r H"},
        {"|", "qr", "q K r"},
    };
    for (const Row& row : kRows)
        global_table().insert_or_assign(row.name, lambdas(row.letters, row.body));
}

void install_builtin(const char* name, int arity, BuiltinHandler handler) {
    builtin_table()[name] = BuiltinEntry{static_cast<std::uint8_t>(arity), handler};
    std::string letters;
    for (int i = 0; i < arity; ++i) letters += static_cast<char>('a' + i);
    global_table().insert_or_assign(name, lambdas(letters, "Z"));
}

void install_small_arithmetic() {
    install_builtin("plus", 2, test_plus);
    install_builtin("dash", 2, test_dash);
    install_builtin("mult", 2, test_mult);
    install_builtin("less", 2, test_less);
    install_builtin("same", 2, test_same);
}

void define(const char* name, std::string_view body, bool uncached) {
    if (uncached) {
        global_table().insert_or_assign(name, make_pair(TermRef("I"), term(body)));
        uncached_names().insert(name);
    } else {
        global_table().insert_or_assign(name, term(body));
        uncached_names().erase(name);
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
    reset_tables();
    live_before_ = cell_counts().live;
    install_combinators();
}

void EngineTest::TearDown() {
    reset_tables();
    EXPECT_EQ(cell_counts().live, live_before_) << "cells left alive by the test";
}

}  // namespace vesk::test
