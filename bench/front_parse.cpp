// The front end on a large program: a text of about 1 MB holding 5,000
// definitions goes through the bracket check, layout normalisation, the
// split at top-level commas and the parser, as a program load does. Also
// times a deeply nested text and the printing of a million-cell spine.
#include <chrono>
#include <cstdio>
#include <string>

#include "diagnostics/outcome.hpp"
#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/printer.hpp"
#include "terms/cells.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string name_of(int k) {
    std::string name = "d";
    for (; k > 0; k /= 26) name += static_cast<char>('a' + k % 26);
    return name;
}

// One definition of roughly 200 bytes using every level of the grammar.
std::string definition(int k) {
    std::string body = name_of(k) + "\\a\\b\\c\\\n";
    for (int line = 0; line < 2; ++line) {
        body += "  (a + b * c - K(a, b))^2 ? S K I [1 2 3] : a!b | c & b = 7;\n";
        body += "  g{a, b}c . x$ @ 12 % 3 ' \"z\n";
    }
    return "," + body;
}

}  // namespace

int main() {
    using namespace vesk;
    std::string program = "main 1\n";
    for (int k = 0; k < 5000; ++k) program += definition(k);

    auto start = Clock::now();
    Outcome out;
    bool ok = check_brackets(program, out);
    double check_ms = ms_since(start);

    start = Clock::now();
    Bytes text = normalise_layout(program);
    double normalise_ms = ms_since(start);

    start = Clock::now();
    std::vector<std::size_t> commas = split_top(text, ",");
    commas.push_back(text.size());
    std::size_t from = 0;
    std::uint64_t cells_before = cell_counts().live;
    std::vector<TermRef> terms;
    for (std::size_t comma : commas) {
        terms.push_back(parse_expression(std::string_view(text).substr(from, comma - from)));
        from = comma + 1;
    }
    double parse_ms = ms_since(start);
    std::uint64_t cells = cell_counts().live - cells_before;

    std::printf("program of %zu bytes, %zu pieces (check %s)\n", program.size(), terms.size(),
                ok ? "passed" : "failed");
    std::printf("  check_brackets    %8.2f ms\n", check_ms);
    std::printf("  normalise_layout  %8.2f ms\n", normalise_ms);
    std::printf("  split + parse     %8.2f ms  (%llu cells)\n", parse_ms,
                static_cast<unsigned long long>(cells));
    terms.clear();

    std::string deep = std::string(1000000, '(') + "x" + std::string(1000000, ')');
    start = Clock::now();
    TermRef nested = parse_expression(deep);
    std::printf("  1,000,000 nested parentheses parse in %8.2f ms\n", ms_since(start));

    TermRef spine = leaf_term("f");
    TermRef x = leaf_term("x");
    for (int i = 0; i < 1000000; ++i) spine = make_pair(std::move(spine), x);
    start = Clock::now();
    Bytes printed = print_term(spine);
    std::printf("  a 1,000,000-cell spine prints %zu bytes in %8.2f ms\n", printed.size(),
                ms_since(start));
    return ok ? 0 : 1;
}
