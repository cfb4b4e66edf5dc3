// Unfolding of number, counted and raw leaves. Bracket data is in
// unfold_bracket.cpp.
#include "engine/unfold.hpp"

#include <cstdint>
#include <vector>

#include "engine/bits.hpp"
#include "front/charcode.hpp"

namespace vesk {

namespace {

// V l r is ((V l) r), and J l r likewise.
TermRef node(const TermRef& head, TermRef l, TermRef r) {
    return make_pair(make_pair(head, std::move(l)), std::move(r));
}

// Pairs up a level of trees under `head` until one is left.
TermRef fold_levels(const TermRef& head, std::vector<TermRef> level) {
    while (level.size() > 1) {
        std::vector<TermRef> up;
        up.reserve(level.size() / 2);
        for (std::size_t i = 0; i + 1 < level.size(); i += 2)
            up.push_back(node(head, std::move(level[i]), std::move(level[i + 1])));
        level = std::move(up);
    }
    return std::move(level.front());
}

TermRef byte_tree(unsigned char byte) {
    TermRef one("I");
    TermRef zero("H");
    TermRef j("J");
    std::vector<TermRef> bits;
    for (int i = 0; i < 8; ++i) bits.push_back(((byte >> i) & 1) ? one : zero);
    std::vector<TermRef> quarters;
    for (int i = 0; i < 8; i += 2) quarters.push_back(node(j, bits[i], bits[i + 1]));
    TermRef v("V");
    return node(v, node(j, quarters[0], quarters[1]), node(j, quarters[2], quarters[3]));
}

Bytes base64_count(std::size_t n) {
    Bytes digits;
    for (; n != 0; n /= 64) digits.insert(digits.begin(), kBase64Alphabet[n % 64]);
    return digits;
}

}  // namespace

TermRef number_tag(std::string_view text) {
    VESK_ASSERT(!text.empty());
    bool numb = text.size() >= 2 && text[0] == '0' && text[1] == '0';
    return TermRef(numb ? "H" : "K");
}

TermRef number_payload(std::string_view text) {
    std::optional<Bytes> rest = number_rest_text(text);
    if (!rest) return TermRef("K");
    return TermRef(std::move(*rest));
}

Bytes counted_prefix(std::size_t length) {
    return "(" + base64_count(length) + ")";
}

TermRef counted_leaf(std::string_view payload) {
    Bytes text = counted_prefix(payload.size());
    text.append(payload);
    return TermRef(std::move(text));
}

std::string_view counted_payload(const TermRef& counted) {
    VESK_ASSERT(first_char(counted) == '(');
    std::string_view text = leaf_view(counted.cell);
    return text.substr(text.find(')') + 1);
}

TermRef counted_unfold(const TermRef& counted) {
    std::string_view payload = counted_payload(counted);
    std::size_t n = payload.size();
    if (n == 0) return TermRef("Z");
    if (n == 1) return byte_tree(static_cast<unsigned char>(payload[0]));
    std::size_t m = 1;
    while (m * 2 < n) m *= 2;
    return node(TermRef("V"), counted_leaf(payload.substr(0, m)), counted_leaf(payload.substr(m)));
}

TermRef real_tree(const TermRef& raw) {
    VESK_ASSERT(first_char(raw) == ' ');
    std::uint64_t pattern = 0;
    std::string_view text = leaf_view(raw.cell);
    for (std::size_t j = 8; j >= 1; --j)
        pattern = (pattern << 8) | static_cast<unsigned char>(text[j]);
    TermRef one("K");
    TermRef zero("H");
    std::vector<TermRef> bits;
    bits.reserve(64);
    for (int i = 0; i < 64; ++i) bits.push_back(((pattern >> i) & 1) ? one : zero);
    return fold_levels(TermRef("V"), std::move(bits));
}

}  // namespace vesk
