// The reduction machine on its own: four recursive programs built as terms
// by hand (no parser, no checks), each timed with its machine steps and the
// cells it allocated. The combinators are entered as lambda terms, as the
// prelude defines them; plus, dash and less are small handlers on 64-bit
// integers written here, so that the figures measure the machine rather
// than the arithmetic library.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "builtins/table.hpp"
#include "builtins/values.hpp"
#include "engine/machine.hpp"
#include "front/globals.hpp"
#include "terms/cells.hpp"
#include "terms/term.hpp"

namespace vesk {
namespace {

// Words separated by blanks are leaves, juxtaposition applies, parentheses
// group: "\ n (less n 2 n ...)" is the lambda ((\ n) (less n 2 n ...)).
struct Reader {
    std::string_view text;
    std::size_t at = 0;

    TermRef sequence() {
        std::vector<TermRef> items;
        for (;;) {
            while (at < text.size() && text[at] == ' ') ++at;
            if (at >= text.size() || text[at] == ')') break;
            if (text[at] == '(') {
                ++at;
                items.push_back(sequence());
                ++at;
                continue;
            }
            std::size_t start = at;
            while (at < text.size() && text[at] != ' ' && text[at] != '(' && text[at] != ')') ++at;
            items.push_back(leaf_term(text.substr(start, at - start)));
        }
        TermRef acc = items[0];
        for (std::size_t i = 1; i < items.size(); ++i) acc = make_pair(acc, items[i]);
        return acc;
    }
};

TermRef term(std::string_view text) {
    return Reader{text}.sequence();
}

TermRef lambdas(std::string_view letters, std::string_view body) {
    TermRef acc = term(body);
    for (std::size_t i = letters.size(); i-- > 0;) {
        acc = make_pair(make_pair(TermRef("\\"), leaf_term(letters.substr(i, 1))), acc);
    }
    return acc;
}

TermRef small_integer(std::int64_t v) {
    if (v == 0) return TermRef("0");
    if (v < 0) return leaf_term("0" + std::to_string(-v));
    return leaf_term(std::to_string(v));
}

template <typename Op>
TermRef binary(TermRef redex, Op op) {
    Arguments args = open_arguments(std::move(redex), 2);
    auto a = integer_argument(args.at[0]);
    auto b = integer_argument(args.at[1]);
    if (!a || !b) return failure_result();
    return op(*a, *b);
}

TermRef plus(TermRef r) {
    return binary(std::move(r), [](auto a, auto b) { return small_integer(a + b); });
}
TermRef dash(TermRef r) {
    return binary(std::move(r), [](auto a, auto b) { return small_integer(a - b); });
}
TermRef less(TermRef r) {
    return binary(std::move(r), [](auto a, auto b) { return truth_result(a < b); });
}

void define(const char* name, TermRef body) {
    global_table().insert_or_assign(name, body);
}

void setup() {
    struct Row {
        const char* name;
        const char* letters;
        const char* body;
    };
    static const Row kRows[] = {
        {"B", "abc", "a (b c)"}, {"H", "a", "I"},    {"I", "a", "a"},       {"J", "abc", "V a b"},
        {"K", "ab", "a"},        {"T", "ab", "b a"}, {"V", "abc", "c a b"}, {"Z", "a", "Z"},
        {"\\", "abc", "Z"},      {"{", "abc", "Z"},
    };
    for (const Row& row : kRows) define(row.name, lambdas(row.letters, row.body));
    struct Builtin {
        const char* name;
        BuiltinHandler handler;
    };
    for (Builtin b : {Builtin{"plus", plus}, Builtin{"dash", dash}, Builtin{"less", less}}) {
        builtin_table()[b.name] = BuiltinEntry{2, b.handler};
        define(b.name, lambdas("ab", "Z"));
    }
    define("fib", term("\\ n (less n 2 n (plus (fib (dash n 1)) (fib (dash n 2))))"));
    define("go", term("\\ n (\\ s (less n 1 s (go (dash n 1) (plus s n))))"));
    define("sum", term("\\ n (less n 1 0 (plus n (sum (dash n 1))))"));
    define("mk", term("\\ n (less n 1 K (J n (mk (dash n 1))))"));
    define("tot", term("\\ l (l 0 (\\ h (\\ t (plus h (tot t)))))"));
}

void run(const char* label, const char* program, const char* expected) {
    TermRef t = term(program);
    std::uint64_t steps = engine_step_count;
    std::uint64_t cells = cell_counts().allocated;
    auto start = std::chrono::steady_clock::now();
    TermRef result = evaluate(t);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    steps = engine_step_count - steps;
    cells = cell_counts().allocated - cells;
    Bytes text = leaf_text(result);
    std::printf("%-22s %8.1f ms %11llu steps %7.1f M steps/s %5.2f cells/step  %s%s\n", label,
                seconds * 1e3, static_cast<unsigned long long>(steps),
                static_cast<double>(steps) / seconds / 1e6,
                static_cast<double>(cells) / static_cast<double>(steps), text.c_str(),
                text == expected ? "" : "  WRONG");
}

}  // namespace
}  // namespace vesk

// With an argument, runs only the programs whose label starts with it;
// "--term TEXT" evaluates TEXT instead (for profiling smaller runs).
int main(int argc, char** argv) {
    using namespace vesk;
    setup();
    if (argc > 2 && std::string_view(argv[1]) == "--term") {
        run(argv[2], argv[2], "");
        return 0;
    }
    struct Program {
        const char* label;
        const char* text;
        const char* expected;
    };
    static const Program kPrograms[] = {
        {"fib 27", "fib 27", "196418"},
        {"tail loop 10,000,000", "go 10000000 0", "50000005000000"},
        {"non-tail sum 1,000,000", "sum 1000000", "500000500000"},
        {"list of 1,000,000", "tot (mk 1000000)", "500000500000"},
    };
    std::string_view only = argc > 1 ? argv[1] : "";
    for (const Program& p : kPrograms) {
        if (std::string_view(p.label).substr(0, only.size()) == only) {
            run(p.label, p.text, p.expected);
        }
    }
    return 0;
}
