// Where the fast algorithms of the limb engine start to pay: products by
// Karatsuba's splitting with different thresholds against the schoolbook
// kernel, and recursive division with different thresholds against long
// division, at operand sizes around and above the crossover. Times are CPU
// time, the best of many runs, so a shared machine disturbs them less.
// kKaratsubaThreshold and kRecursiveDivisionThreshold come from here.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>

#include "numbers/natural.hpp"

namespace {

using vesk::Natural;

double cpu_us() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

Natural random_natural(std::mt19937_64& rng, std::size_t limbs) {
    Natural n(limbs);
    for (vesk::Limb& l : n) l = static_cast<vesk::Limb>(rng() % vesk::kLimbBase);
    n.back() = 1 + n.back() % (vesk::kLimbBase - 1);
    return n;
}

// Best time of one call in microseconds, over enough repetitions to fill
// about 30 ms.
template <typename F>
double best_us(F f) {
    double best = 1e300;
    double spent = 0;
    for (int i = 0; i < 1000 && (spent < 30'000 || i < 3); ++i) {
        double start = cpu_us();
        Natural r = f();
        double t = cpu_us() - start;
        asm volatile("" : : "r"(r.data()) : "memory");
        best = std::min(best, t);
        spent += t;
    }
    return best;
}

void products() {
    const std::size_t thresholds[] = {8, 16, 24, 32, 40, 48, 64, 96};
    std::printf("product of two n-limb numbers (us; one limb is nine digits)\n%8s %10s", "n",
                "schoolbook");
    for (std::size_t t : thresholds) std::printf("  K%-6zu", t);
    std::printf("\n");
    std::mt19937_64 rng(1);
    for (std::size_t n : {16, 24, 32, 48, 64, 96, 128, 256, 512, 2048}) {
        Natural a = random_natural(rng, n);
        Natural b = random_natural(rng, n);
        std::printf("%8zu %10.1f", n, best_us([&] { return vesk::schoolbook_product(a, b); }));
        for (std::size_t t : thresholds) {
            std::printf("  %7.1f", best_us([&] { return vesk::karatsuba_product(a, b, t); }));
        }
        std::printf("\n");
    }
}

void divisions() {
    const std::size_t thresholds[] = {20, 40, 60, 80, 120, 200};
    std::printf("\n2n-limb number by an n-limb number (us)\n%8s %10s", "n", "long");
    for (std::size_t t : thresholds) std::printf("  R%-6zu", t);
    std::printf("\n");
    std::mt19937_64 rng(2);
    for (std::size_t n : {60, 120, 240, 480, 960, 2000, 5600}) {
        Natural a = random_natural(rng, 2 * n);
        Natural b = random_natural(rng, n);
        std::printf("%8zu %10.1f", n, best_us([&] { return vesk::long_division(a, b).quotient; }));
        for (std::size_t t : thresholds) {
            std::printf("  %7.1f",
                        best_us([&] { return vesk::recursive_division(a, b, t).quotient; }));
        }
        std::printf("\n");
    }
}

}  // namespace

int main() {
    products();
    divisions();
    return 0;
}
