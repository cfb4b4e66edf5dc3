#include "builtins/unfolded_forms.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "builtins/values.hpp"
#include "engine/unfold.hpp"
#include "numbers/integers.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

// t = ((head a) b) with head the one-byte leaf `head`.
bool applied_parts(const Term* t, char head, const Term*& a, const Term*& b) {
    if (is_leaf_cell(t)) return false;
    const Term* l = left_cell(t);
    if (is_leaf_cell(l) || !is_byte_leaf(left_cell(l), head)) return false;
    a = right_cell(l);
    b = right_cell(t);
    return true;
}

// Work and output both draw on one budget, so that no shape, however much
// it shares, costs more than kMaxUnfoldedBytes steps.
struct Budget {
    std::size_t left = kMaxUnfoldedBytes;
    bool take(std::size_t n) {
        if (n > left) return false;
        left -= n;
        return true;
    }
};

// The elements of an element list, first to last: the init chain walked down
// to its K.
bool list_elements(const Term* t, std::vector<const Term*>& out, Budget& budget) {
    out.clear();
    while (!is_byte_leaf(t, 'K')) {
        const Term *init, *last;
        if (!list_cell_parts(t, init, last) || !budget.take(1)) return false;
        out.push_back(last);
        t = init;
    }
    std::reverse(out.begin(), out.end());
    return true;
}

// A list whose elements are being read: the text read so far.
struct OpenList {
    std::vector<const Term*> elements;
    std::size_t next = 0;
    Bytes text;
};

// A bit of a byte tree: I for 1, H for 0.
std::optional<unsigned> tree_bit(const Term* t) {
    if (is_byte_leaf(t, 'I')) return 1u;
    if (is_byte_leaf(t, 'H')) return 0u;
    return std::nullopt;
}

// The four bits of J (J x0 x1) (J x2 x3), lowest first.
std::optional<unsigned> four_bits(const Term* t) {
    const Term *low, *high;
    if (!applied_parts(t, 'J', low, high)) return std::nullopt;
    unsigned value = 0;
    int shift = 0;
    for (const Term* half : {low, high}) {
        const Term *x, *y;
        if (!applied_parts(half, 'J', x, y)) return std::nullopt;
        for (const Term* b : {x, y}) {
            std::optional<unsigned> bit = tree_bit(b);
            if (!bit) return std::nullopt;
            value |= *bit << shift++;
        }
    }
    return value;
}

}  // namespace

bool list_cell_parts(const Term* t, const Term*& a, const Term*& b) {
    return applied_parts(t, 'J', a, b);
}

std::optional<Bytes> element_list_text(const Term* t) {
    Budget budget;
    std::vector<OpenList> open(1);
    if (!list_elements(t, open[0].elements, budget)) return std::nullopt;
    for (;;) {
        if (open.back().next < open.back().elements.size()) {
            const Term* element = open.back().elements[open.back().next++];
            OpenList inner;
            if (!list_elements(element, inner.elements, budget)) return std::nullopt;
            open.push_back(std::move(inner));
            continue;
        }
        if (open.size() == 1) return std::move(open.back().text);
        Bytes group = "[" + open.back().text + "]";
        open.pop_back();
        std::optional<unsigned char> byte = numeral_byte(group);
        if (!budget.take(byte ? 1 : group.size())) return std::nullopt;
        if (byte) {
            open.back().text.push_back(static_cast<char>(*byte));
        } else {
            open.back().text += group;
        }
    }
}

// Left to right: a node's left part is read before its right part.
std::optional<Bytes> counted_tree_bytes(const Term* t) {
    if (is_byte_leaf(t, 'Z')) return Bytes();
    Budget budget;
    Bytes out;
    std::vector<const Term*> todo{t};
    while (!todo.empty()) {
        const Term* c = todo.back();
        todo.pop_back();
        if (!budget.take(1)) return std::nullopt;
        if (is_leaf_cell(c)) {
            if (leaf_kind(c) != LeafKind::counted) return std::nullopt;
            std::string_view bytes = counted_payload(c);
            if (!budget.take(bytes.size())) return std::nullopt;
            out.append(bytes);
            continue;
        }
        const Term *p, *q;
        if (!applied_parts(c, 'V', p, q)) return std::nullopt;
        const Term *unused_a, *unused_b;
        if (applied_parts(p, 'J', unused_a, unused_b)) {  // a byte tree
            std::optional<unsigned> low = four_bits(p), high = four_bits(q);
            if (!low || !high) return std::nullopt;
            out.push_back(static_cast<char>(*low | *high << 4));
            continue;
        }
        todo.push_back(q);
        todo.push_back(p);
    }
    return out;
}

std::optional<Bytes> byte_list_bytes(const Term* t) {
    Budget budget;
    Bytes out;
    while (!is_byte_leaf(t, 'K')) {
        const Term *b, *rest;
        if (!list_cell_parts(t, b, rest) || !budget.take(1)) return std::nullopt;
        std::optional<std::int64_t> value = small_integer(b);
        if (!value || *value < 0 || *value > 255) return std::nullopt;
        out.push_back(static_cast<char>(*value));
        t = rest;
    }
    return out;
}

TermRef byte_list(Runtime& rt, std::string_view bytes) {
    std::array<std::optional<TermRef>, 256> numbers;
    TermRef list = leaf_of(rt.leaves, CommonLeaf::K);
    for (std::size_t i = bytes.size(); i-- > 0;) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (!numbers[b]) numbers[b] = int_term(b);
        list = make_pair(make_pair(leaf_of(rt.leaves, CommonLeaf::J), *numbers[b]), std::move(list));
    }
    return list;
}

const Term* pair_form_list(const Term* t) {
    const Term *p, *q;
    if (!applied_parts(t, 'V', p, q) || is_leaf_cell(p)) return nullptr;
    if (!is_byte_leaf(left_cell(p), 'X') || !is_byte_leaf(right_cell(p), 'J')) return nullptr;
    return q;
}

TermRef make_pair_form(Runtime& rt, TermRef list) {
    TermRef xj = make_pair(leaf_of(rt.leaves, CommonLeaf::X), leaf_of(rt.leaves, CommonLeaf::J));
    return make_pair(make_pair(leaf_of(rt.leaves, CommonLeaf::V), std::move(xj)), std::move(list));
}

}  // namespace vesk
