// Integer operations on operands that fit 64 bits: their cost per call and
// what they allocate. Heap allocations are counted by replacing the global
// operator new; cells by the cell pool's own counts. Each call should make
// its result leaf and nothing else.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

#include "numbers/arith.hpp"
#include "numbers/integers.hpp"
#include "terms/cells.hpp"

namespace {

std::size_t g_heap_allocations = 0;

double cpu_ns() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

struct Op {
    const char* name;
    vesk::TermRef (*run)(const vesk::TermRef&, const vesk::TermRef&);
};

const Op kOps[] = {
    {"plus", [](const vesk::TermRef& a, const vesk::TermRef& b) { return vesk::int_plus(a, b); }},
    {"dash", [](const vesk::TermRef& a, const vesk::TermRef& b) { return vesk::int_dash(a, b); }},
    {"mult", [](const vesk::TermRef& a, const vesk::TermRef& b) { return vesk::int_mult(a, b); }},
    {"over", [](const vesk::TermRef& a, const vesk::TermRef& b) { return vesk::int_over(a, b); }},
    {"cent", [](const vesk::TermRef& a, const vesk::TermRef& b) { return vesk::int_cent(a, b); }},
    {"powa", [](const vesk::TermRef& a,
                const vesk::TermRef&) { return vesk::int_powa(a, vesk::TermRef("3")); }},
};

}  // namespace

void* operator new(std::size_t n) {
    ++g_heap_allocations;
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

int main() {
    constexpr int kRounds = 1'000'000;
    vesk::TermRef a("0987654321987");  // -987654321987
    vesk::TermRef b("1234567");
    std::printf("64-bit operands, %d calls each: CPU ns per call, heap allocations and cells\n",
                kRounds);
    for (const Op& op : kOps) {
        std::size_t heap_before = g_heap_allocations;
        std::uint64_t cells_before = vesk::cell_counts().allocated;
        double start = cpu_ns();
        for (int i = 0; i < kRounds; ++i) {
            vesk::TermRef r = op.run(a, b);
            asm volatile("" : : "r"(r.cell) : "memory");
        }
        double ns = (cpu_ns() - start) / kRounds;
        // The powa row also makes its exponent leaf: two cells per call.
        std::printf("  %-5s %7.1f ns   heap %.2f   cells %.2f per call\n", op.name, ns,
                    static_cast<double>(g_heap_allocations - heap_before) / kRounds,
                    static_cast<double>(vesk::cell_counts().allocated - cells_before) / kRounds);
    }
    return 0;
}
