// Shape tests walk from the top; every depth is fixed (3 or 6), so the walk
// never goes deeper than that, whatever the term below looks like.
#include "reals/bit_trees.hpp"

#include <vector>

namespace vesk {

namespace {

// V l r: a pair whose left child is a pair whose left child is the leaf V.
bool split_v(const Term* t, const Term** l, const Term** r) {
    if (is_leaf_cell(t)) return false;
    const Term* inner = left_cell(t);
    if (is_leaf_cell(inner) || first_byte(left_cell(inner)) != 'V') return false;  // a pair reads 0
    *l = right_cell(inner);
    *r = right_cell(t);
    return true;
}

bool is_bit_leaf(const Term* t) {
    unsigned char c = first_byte(t);
    return is_leaf_cell(t) && (c == 'K' || c == 'H');
}

// Appends the bits of a complete V tree of the given depth, leftmost first;
// false when the shape or a leaf is wrong.
bool collect_bits(const Term* t, int depth, std::vector<bool>& bits) {
    if (depth == 0) {
        if (!is_bit_leaf(t)) return false;
        bits.push_back(first_byte(t) == 'K');
        return true;
    }
    const Term* l = nullptr;
    const Term* r = nullptr;
    return split_v(t, &l, &r) && collect_bits(l, depth - 1, bits) &&
           collect_bits(r, depth - 1, bits);
}

std::uint8_t byte_from(const std::vector<bool>& bits, std::size_t first) {
    unsigned v = 0;
    for (std::size_t i = 0; i < 8; ++i)
        if (bits[first + i]) v |= 1u << i;
    return static_cast<std::uint8_t>(v);
}

}  // namespace

bool is_byte_tree(const TermRef& t) {
    std::vector<bool> bits;
    return collect_bits(t.cell, 3, bits);
}

// Depth 3 over byte trees is depth 6 over bits: the same nodes.
bool is_double_tree(const TermRef& t) {
    std::vector<bool> bits;
    return collect_bits(t.cell, 6, bits);
}

std::uint8_t byte_of(const TermRef& t) {
    std::vector<bool> bits;
    VESK_ASSERT(collect_bits(t.cell, 3, bits));
    return byte_from(bits, 0);
}

DoubleBytes bytes_of(const TermRef& t) {
    std::vector<bool> bits;
    VESK_ASSERT(collect_bits(t.cell, 6, bits));
    DoubleBytes out{};
    for (std::size_t j = 0; j < 8; ++j) out[j] = byte_from(bits, 8 * j);
    return out;
}

TermRef pack_double_tree(const TermRef& t) {
    if (!is_double_tree(t)) return TermRef("Z");
    DoubleBytes bytes = bytes_of(t);
    Bytes text(1, ' ');
    text.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return TermRef(std::move(text));
}

}  // namespace vesk
