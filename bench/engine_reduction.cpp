// The reduction machine on its own: the four programs of bench/programs,
// loaded with the prelude (no static checks: they need none), each reduction
// timed with its machine steps and the cells it allocated. plus, dash and
// less are small handlers on 64-bit integers written here, so that the
// figures measure the machine rather than the arithmetic library. Each
// program runs twice: reduced as cells (integer bodies off), then with the
// bodies that are integer code run as such (the list program has none).
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "builtins/values.hpp"
#include "engine/integer_body.hpp"
#include "engine/machine.hpp"
#include "runtime/definitions.hpp"
#include "runtime/call.hpp"
#include "runtime/prelude.hpp"
#include "terms/cells.hpp"
#include "terms/term.hpp"

namespace vesk {
namespace {

TermRef small_integer(std::int64_t v) {
    if (v == 0) return TermRef("0");
    if (v < 0) return leaf_term("0" + std::to_string(-v));
    return leaf_term(std::to_string(v));
}

template <typename Op>
TermRef binary(Call& call, Op op) {
    auto a = integer_argument(call.args[0]);
    auto b = integer_argument(call.args[1]);
    if (!a || !b) return call.fail();
    return op(*a, *b);
}

TermRef plus(Call& c) {
    return binary(c, [](auto a, auto b) { return small_integer(a + b); });
}
TermRef dash(Call& c) {
    return binary(c, [](auto a, auto b) { return small_integer(a - b); });
}
TermRef less(Call& c) {
    return binary(c, [&c](auto a, auto b) { return c.truth(a < b); });
}

constexpr BuiltinRow kRows[] = {{"plus", 2, pure_effect, plus, IntegerRule::plus},
                                {"dash", 2, pure_effect, dash, IntegerRule::minus},
                                {"less", 2, pure_effect, less, IntegerRule::less}};

// The runtime the benchmark loads its programs into.
Runtime& rt() {
    static Runtime runtime;
    return runtime;
}

// A program of the language, loaded with the prelude, with the three
// handlers in the built-in table.
void load(const char* program) {
    load_prelude(rt());
    for (const BuiltinRow& row : kRows) rt().builtins[row.name] = &row;
    Outcome out = load_definitions(rt(), program);
    if (!is_check(out)) std::printf("%s: %s\n", out.code.c_str(), out.say.c_str());
}

// Loads the program, applies its main expression to 0 and reduces it.
void run(const char* label, const char* program, const char* expected) {
    load(program);
    TermRef t = make_pair(rt().globals.at(""), TermRef("0"));
    std::uint64_t steps = engine_step_count;
    std::uint64_t cells = cell_counts().allocated;
    auto start = std::chrono::steady_clock::now();
    std::clock_t cpu_start = std::clock();
    TermRef result = evaluate(rt(), t);
    double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    steps = engine_step_count - steps;
    cells = cell_counts().allocated - cells;
    Bytes text = leaf_text(result);
    // Steps per second are per second of processor time: on a shared
    // machine the wall time says more about the neighbours.
    std::printf(
        "%-22s %-5s %7.0f ms wall %7.0f ms cpu %10llu steps %11llu cells %5.2f cells/step  "
        "%s%s\n",
        label, engine_integer_bodies ? "code" : "cells", seconds * 1e3, cpu * 1e3,
        static_cast<unsigned long long>(steps), static_cast<unsigned long long>(cells),
        static_cast<double>(cells) / static_cast<double>(steps), text.c_str(),
        *expected == 0 || text == expected ? "" : "  WRONG");
}

}  // namespace
}  // namespace vesk

// With an argument, runs only the programs whose label starts with it;
// "--program TEXT" runs TEXT instead (for profiling smaller runs).
int main(int argc, char** argv) {
    using namespace vesk;
    if (argc > 2 && std::string_view(argv[1]) == "--program") {
        run(argv[2], argv[2], "");
        return 0;
    }
    struct Program {
        const char* label;
        const char* text;
        const char* expected;
    };
    static const Program kPrograms[] = {
        {"fib 27", "a\\fib 27,fib\\n\\n<2?n?fib(n-1)+fib(n-2)", "196418"},
        {"tail loop 10,000,000", "a\\go 10000000 0,go\\n\\s\\n<1?s?go(n-1)(s+n)", "50000005000000"},
        {"non-tail sum 1,000,000", "a\\sum 1000000,sum\\n\\n<1?0?n+sum(n-1)", "500000500000"},
        // "h+tot t" would read as (h+tot) t: a blank binds more loosely than +.
        {"list of 1,000,000",
         "a\\tot(mk 1000000),mk\\n\\n<1?K?J n (mk(n-1)),tot\\l\\l 0 (h\\t\\h+tot(t))",
         "500000500000"},
    };
    std::string_view only = argc > 1 ? argv[1] : "";
    for (const Program& p : kPrograms) {
        if (std::string_view(p.label).substr(0, only.size()) != only) continue;
        for (bool code : {false, true}) {
            engine_integer_bodies = code;
            run(p.label, p.text, p.expected);
        }
    }
    return 0;
}
