// Builders for integer terms in the numbers tests: bit lists of any length
// and the bits of host integers, made independently of the code under test.
#pragma once

#include <cstdint>
#include <vector>

#include "terms/term.hpp"

namespace vesk::testing {

// The chain ((J b0) ((J b1) ... tail)), built from the end without recursion.
inline TermRef bit_list(const std::vector<bool>& bits, TermRef tail) {
    TermRef j("J");
    TermRef one("K");
    TermRef zero("H");
    TermRef list = std::move(tail);
    for (std::size_t i = bits.size(); i-- > 0;) {
        list = make_pair(apply(j, bits[i] ? one : zero), std::move(list));
    }
    return list;
}
inline TermRef bit_list(const std::vector<bool>& bits) {
    return bit_list(bits, TermRef("K"));
}

// The bits of an integer's code number below its closing 1: the integer
// n >= 0 has code number 4n + 3, and -n has 4n + 1.
inline std::vector<bool> integer_bits(std::int64_t n) {
    std::uint64_t m = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    std::vector<bool> bits = {true, n >= 0};
    for (; m > 1; m >>= 1) bits.push_back((m & 1) != 0);
    if (m == 0) bits.pop_back();  // zero: the one bit 1, code number 3
    return bits;
}

inline TermRef integer_list(std::int64_t n) {
    return bit_list(integer_bits(n));
}

}  // namespace vesk::testing
