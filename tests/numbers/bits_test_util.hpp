// Helpers shared by the bit-string and unfolding tests: host values as
// BitStrings, generated number texts, and a flat picture of a term.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "numbers/bits.hpp"
#include "terms/term.hpp"

namespace vesk::bits_test {

inline BitString u64_bits(std::uint64_t v) {
    BitString s;
    for (; v != 0; v >>= 8) s.push_back(static_cast<char>(v & 0xff));
    return s;
}

inline std::uint64_t bits_u64(const BitString& s) {
    std::uint64_t v = 0;
    for (std::size_t j = s.size(); j-- > 0;) v = (v << 8) | static_cast<unsigned char>(s[j]);
    return v;
}

// Sign of a - b for trimmed values.
inline int compare_bits(const BitString& a, const BitString& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t j = a.size(); j-- > 0;) {
        unsigned x = static_cast<unsigned char>(a[j]);
        unsigned y = static_cast<unsigned char>(b[j]);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

inline std::string random_digits(std::mt19937_64& rng, std::size_t n, bool lead_nonzero) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        int lo = (i == 0 && lead_nonzero) ? 1 : 0;
        s.push_back(static_cast<char>('0' + std::uniform_int_distribution<int>(lo, 9)(rng)));
    }
    return s;
}

// One text of each form in turn: "0", d, "0" d, "00" + zeros, "00" + zeros + D.
inline std::string random_number_text(std::mt19937_64& rng, int form, std::size_t max_len) {
    std::size_t n = std::uniform_int_distribution<std::size_t>(1, max_len)(rng);
    std::size_t z = std::uniform_int_distribution<std::size_t>(0, max_len)(rng);
    switch (form % 5) {
        case 0: return "0";
        case 1: return random_digits(rng, n, true);
        case 2: return "0" + random_digits(rng, n, true);
        case 3: return "00" + std::string(z, '0');
        default: return "00" + std::string(z, '0') + random_digits(rng, n, true);
    }
}

inline BitString random_canonical(std::mt19937_64& rng, std::size_t max_bytes) {
    std::size_t n = std::uniform_int_distribution<std::size_t>(1, max_bytes)(rng);
    BitString s;
    for (std::size_t i = 0; i < n; ++i)
        s.push_back(static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng)));
    if (s.back() == '\0') s.back() = '\x01';
    if (s == "\x01") s = "\x02";
    return s;
}

// Leaves as their text, pairs as "(L R)". Iterative, so long lists print.
inline std::string picture(const TermRef& t) {
    std::string out;
    std::vector<std::pair<const Term*, int>> todo{{t.cell, 0}};
    while (!todo.empty()) {
        auto [cell, stage] = todo.back();
        todo.pop_back();
        if (stage == 2) {
            out += ')';
        } else if (stage == 1) {
            out += ' ';
        } else if (is_leaf_cell(cell)) {
            out += std::string(leaf_view(cell));
        } else {
            out += '(';
            todo.push_back({nullptr, 2});
            todo.push_back({right_cell(cell), 0});
            todo.push_back({nullptr, 1});
            todo.push_back({left_cell(cell), 0});
        }
    }
    return out;
}

}  // namespace vesk::bits_test
