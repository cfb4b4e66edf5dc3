// Decimal text <-> code number for long numbers (nine digits per limb step),
// and walking a number's bit list one element at a time through
// number_payload, which halves the decimal text instead of converting it.
#include <chrono>
#include <cstdio>
#include <string>

#include "numbers/bits.hpp"
#include "engine/unfold.hpp"

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string digits(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('1' + (i * 7) % 9));
    return s;
}

}  // namespace

int main() {
    using namespace vesk;
    std::printf("text_to_bits / bits_to_text of an n-digit integer\n");
    for (std::size_t n : {1000u, 10000u, 100000u}) {
        std::string text = digits(n);
        auto start = std::chrono::steady_clock::now();
        BitString bits = text_to_bits(text);
        double in = seconds_since(start);
        start = std::chrono::steady_clock::now();
        Bytes back = bits_to_text(bits);
        double out = seconds_since(start);
        std::printf("  %7zu digits  to bits %9.3f ms  to text %9.3f ms  %s\n", n, in * 1e3,
                    out * 1e3, back == text ? "round trip ok" : "ROUND TRIP FAILED");
    }
    std::printf("unfolding every element of an n-digit integer's bit list\n");
    for (std::size_t n : {100u, 1000u, 3000u}) {
        std::string text = digits(n);
        auto start = std::chrono::steady_clock::now();
        std::size_t elements = 0;
        TermRef at(Bytes(text.c_str()));
        while (first_char(at) != 'K') {
            Bytes now = leaf_text(at);
            TermRef tag = number_tag(now);
            at = number_payload(now);
            ++elements;
        }
        double walk = seconds_since(start);
        std::printf("  %7zu digits  %7zu elements  %9.3f ms  (%.2f us per element)\n", n, elements,
                    walk * 1e3, walk * 1e6 / static_cast<double>(elements));
    }
    std::printf("the first elements of 1 followed by k zeros (k factors of two)\n");
    for (std::size_t k : {10000u, 100000u, 1000000u}) {
        std::string text = "1" + std::string(k, '0');
        auto start = std::chrono::steady_clock::now();
        TermRef at(Bytes(text.c_str()));
        for (int i = 0; i < 3; ++i) at = number_payload(leaf_text(at));
        double walk = seconds_since(start);
        std::printf("  %7zu zeros  three elements  %9.3f ms\n", k, walk * 1e3);
    }
    return 0;
}
