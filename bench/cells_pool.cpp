// Pair cells come from the size-class pool of terms/cells.cpp. This measures
// make_pair + release of a 24-byte pair through the pool against the same
// work done with plain new/delete of a 24-byte block.
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "terms/cells.hpp"
#include "terms/term.hpp"

namespace {

struct PlainPair {
    std::uint64_t header;
    void* left;
    void* right;
};

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    using namespace vesk;
    constexpr int kRounds = 20'000'000;
    TermRef a("a");
    TermRef b("b");

    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        TermRef p = apply(a, b);  // make_pair of two shared leaves, then release
        asm volatile("" : : "r"(p.cell) : "memory");
    }
    double pool = seconds_since(start);

    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        PlainPair* p = new PlainPair{0, a.cell, b.cell};
        asm volatile("" : : "r"(p) : "memory");
        delete p;
    }
    double plain = seconds_since(start);

    std::printf("make_pair + release, %d rounds\n", kRounds);
    std::printf("  cell pool     %6.2f ns per pair\n", pool * 1e9 / kRounds);
    std::printf("  new/delete    %6.2f ns per pair (allocation only, no counting)\n",
                plain * 1e9 / kRounds);
    std::printf("  live cells after: %llu\n", static_cast<unsigned long long>(cell_counts().live));
    return 0;
}
