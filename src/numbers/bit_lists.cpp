// Bit lists: the shape of one cell, whole-chain tests and code numbers.
#include "numbers/bit_lists.hpp"

#include <string_view>

namespace vesk {

namespace {

// The bit of a good cell ((J b) rest): 1 for K, 0 for H, -1 for a bad cell.
int cell_bit(const Term* cell) {
    if (is_leaf_cell(cell)) return -1;
    const Term* head = left_cell(cell);
    if (is_leaf_cell(head) || !is_leaf_named(left_cell(head), 'J')) return -1;
    const Term* bit = right_cell(head);
    if (is_leaf_named(bit, 'K')) return 1;
    if (is_leaf_named(bit, 'H')) return 0;
    return -1;
}

void set_bit_at(BitString& bits, std::size_t i) {
    if (bits.size() <= i / 8) bits.resize(i / 8 + 1, '\0');
    bits[i / 8] = static_cast<char>(static_cast<unsigned char>(bits[i / 8]) | (1u << (i % 8)));
}

// bits |= tail << shift, for a bits string with no set bit at or above shift.
void append_shifted(BitString& bits, const BitString& tail, std::size_t shift) {
    std::size_t bytes = shift / 8;
    unsigned offset = static_cast<unsigned>(shift % 8);
    bits.resize(bytes + tail.size() + 1, '\0');
    for (std::size_t i = 0; i < tail.size(); ++i) {
        unsigned v = static_cast<unsigned char>(tail[i]) << offset;
        bits[bytes + i] =
            static_cast<char>(static_cast<unsigned char>(bits[bytes + i]) | (v & 0xff));
        bits[bytes + i + 1] = static_cast<char>(v >> 8);
    }
    while (!bits.empty() && bits.back() == '\0') bits.pop_back();
}

}  // namespace

bool starts_with_bit(const Term* t, char bit) {
    if (is_leaf_cell(t)) return false;
    const Term* head = left_cell(t);
    return !is_leaf_cell(head) && is_leaf_named(left_cell(head), 'J') &&
           is_leaf_named(right_cell(head), bit);
}

bool is_digit_leaf(const Term* t) {
    if (!is_leaf_cell(t)) return false;
    std::string_view text = leaf_view(t);
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool is_complete_chain(const Term* t) {
    if (is_leaf_cell(t)) return false;
    while (!is_leaf_cell(t)) {
        if (cell_bit(t) < 0) return false;
        t = right_cell(t);
    }
    return is_leaf_named(t, 'K') || is_digit_leaf(t);
}

std::optional<BitString> term_code_number(const Term* t) {
    if (is_leaf_named(t, 'K')) return BitString(1, '\1');
    if (is_leaf_cell(t)) {
        if (!is_digit_leaf(t)) return std::nullopt;
        return text_to_bits(leaf_view(t));
    }
    BitString bits;
    std::size_t count = 0;
    for (; !is_leaf_cell(t); t = right_cell(t), ++count) {
        int b = cell_bit(t);
        if (b < 0) return std::nullopt;
        if (b == 1) set_bit_at(bits, count);
    }
    if (is_leaf_named(t, 'K')) {
        set_bit_at(bits, count);  // the closing 1
    } else if (is_digit_leaf(t)) {
        append_shifted(bits, text_to_bits(leaf_view(t)), count);
    } else {
        return std::nullopt;
    }
    return bits;
}

bool bit_list_text(const Term* t, Bytes& out) {
    if (is_leaf_cell(t)) return false;
    std::optional<BitString> bits = term_code_number(t);
    if (!bits) return false;
    out = bits_to_text(*bits);
    return true;
}

}  // namespace vesk
