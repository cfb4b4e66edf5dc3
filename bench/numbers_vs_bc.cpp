// Exact integer arithmetic on number leaves, the work a user's program does
// through the arithmetic built-ins: a large power, a large product, a
// factorial by repeated products, and a large floor division. Each row is
// timed through the public operations of numbers/arith.hpp, from operand
// leaves to the result leaf (whose text is the decimal result).
//
//   bench_numbers_vs_bc              times every row, prints a table
//   bench_numbers_vs_bc --time ROW   prints the best time of ROW in ms
//   bench_numbers_vs_bc --digits ROW prints the digits of ROW's result
//   bench_numbers_vs_bc --emit DIR   writes ROW.bc and ROW.base.bc for GNU bc:
//                                    the same work, and its operands only
//
// bench/numbers_vs_bc.sh runs both sides and compares their digits.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "numbers/arith.hpp"
#include "numbers/integers.hpp"
#include "terms/term.hpp"

namespace {

using vesk::Bytes;
using vesk::TermRef;

// Deterministic digits (no leading zero), the same in every run.
Bytes operand_digits(std::size_t count, std::uint64_t seed) {
    Bytes digits(count, '0');
    std::uint64_t x = seed;
    for (char& c : digits) {
        x = x * 6364136223846793005u + 1442695040888963407u;
        c = static_cast<char>('0' + (x >> 33) % 10);
    }
    digits[0] = static_cast<char>('1' + (x >> 40) % 9);
    return digits;
}

struct Operands {
    Bytes a;
    Bytes b;
};

struct Row {
    const char* name;
    const char* what;
    Operands (*operands)();
    TermRef (*run)(const Operands&);
    const char* bc_work;  // bc statements after a=...; b=...
};

Operands no_operands() {
    return {};
}
Operands product_operands() {
    return {operand_digits(50'000, 1), operand_digits(50'000, 2)};
}
Operands division_operands() {
    return {operand_digits(100'000, 3), operand_digits(50'000, 4)};
}

TermRef run_power(const Operands&) {
    return vesk::int_powa(TermRef("3"), TermRef("200000"));
}
TermRef run_product(const Operands& o) {
    return vesk::int_mult(TermRef(Bytes(o.a)), TermRef(Bytes(o.b)));
}
TermRef run_factorial(const Operands&) {
    TermRef f("1");
    for (std::int64_t k = 2; k <= 2000; ++k) f = vesk::int_mult(std::move(f), vesk::int_term(k));
    return f;
}
TermRef run_division(const Operands& o) {
    return vesk::int_over(TermRef(Bytes(o.a)), TermRef(Bytes(o.b)));
}

const Row kRows[] = {
    {"power", "3^200000, all 95,425 digits", no_operands, run_power, "3^200000\n"},
    {"product", "50,000 x 50,000 digits", product_operands, run_product, "a*b\n"},
    {"factorial", "2000! by 1999 products", no_operands, run_factorial,
     "f=1\nfor(i=2;i<=2000;i++)f=f*i\nf\n"},
    {"division", "100,000 / 50,000 digits", division_operands, run_division, "a/b\n"},
};

const Row* find_row(const char* name) {
    for (const Row& row : kRows) {
        if (std::strcmp(row.name, name) == 0) return &row;
    }
    std::fprintf(stderr, "no row %s\n", name);
    std::exit(2);
}

double cpu_ms() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Best CPU time of several runs in milliseconds: the machine may be shared,
// and the fastest run is the one least disturbed. Operand leaves are made
// inside the timing, as a program's literals would have been.
double best_ms(const Row& row, int runs) {
    Operands o = row.operands();
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        double start = cpu_ms();
        TermRef r = row.run(o);
        Bytes text = vesk::leaf_text(r);
        double spent = cpu_ms() - start;
        asm volatile("" : : "r"(text.data()) : "memory");
        best = std::min(best, spent);
    }
    return best;
}

void emit(const char* dir) {
    for (const Row& row : kRows) {
        Operands o = row.operands();
        Bytes setup;
        if (!o.a.empty()) setup += "a=" + o.a + "\nb=" + o.b + "\n";
        for (int base = 0; base < 2; ++base) {
            std::string path = std::string(dir) + "/" + row.name + (base ? ".base.bc" : ".bc");
            std::FILE* f = std::fopen(path.c_str(), "w");
            if (f == nullptr) {
                std::perror(path.c_str());
                std::exit(1);
            }
            Bytes text = setup + (base ? "" : row.bc_work) + "quit\n";
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--emit") == 0) {
        emit(argv[2]);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--time") == 0) {
        std::printf("%.2f\n", best_ms(*find_row(argv[2]), 7));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--digits") == 0) {
        const Row& row = *find_row(argv[2]);
        Bytes text = vesk::leaf_text(row.run(row.operands()));
        std::printf("%s\n", text.c_str());
        return 0;
    }
    std::printf("exact integer arithmetic on number leaves (CPU time, best of 7 runs)\n");
    for (const Row& row : kRows) {
        std::printf("  %-10s %-30s %9.2f ms\n", row.name, row.what, best_ms(row, 7));
    }
    return 0;
}
