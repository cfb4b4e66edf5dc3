// Code numbers as terms: the number leaf, or the explicit J list.
#include "numbers/bits.hpp"

namespace vesk {

TermRef bits_term(std::string_view bits) {
    VESK_ASSERT(is_canonical_bits(bits));
    if (bits.size() == 1 && bits[0] == '\x01') return TermRef("K");
    return TermRef(bits_to_text(bits));
}

std::optional<TermRef> checked_bits_term(std::string_view bits) {
    std::size_t n = bits.size();
    while (n > 0 && bits[n - 1] == '\0') --n;
    if (n == 0) return std::nullopt;
    return bits_term(bits.substr(0, n));
}

// Built from the last element back to the first, so each cell wraps the
// finished rest: a loop, however long the list. J, K and H are shared.
TermRef bits_list_term(std::string_view bits) {
    std::size_t n = list_length(bits);
    TermRef j("J");
    TermRef one("K");
    TermRef zero("H");
    TermRef list = one;
    for (std::size_t i = n; i-- > 0;)
        list = make_pair(apply(j, bit_at(i, bits) ? one : zero), std::move(list));
    return list;
}

}  // namespace vesk
