// Bracket data: init, last element and the J list.
//
// A bracket leaf's elements are read from its interior: the text after the
// opening "[", without the final "]" when there is one. Inside, a "[" and
// the "]" that balances it make a group; any other byte, an unpartnered "["
// or "]" included, is a single-byte element. Reading from the right (init and
// last) and from the left (the list) give the same elements.
#include "engine/unfold.hpp"

namespace vesk {

namespace {

struct Interior {
    std::string_view text;  // the whole leaf text
    std::size_t end;        // one past the interior; the interior starts at 1
};

Interior interior_of(const TermRef& leaf) {
    // The kind, not the first byte: a program may have written over that.
    VESK_ASSERT(leaf_kind(leaf.cell) == LeafKind::bracket);
    std::string_view text = leaf_view(leaf.cell);
    VESK_ASSERT(!text.empty());
    std::size_t end = text.size();
    if (end >= 2 && text[end - 1] == ']') --end;
    return {text, end};
}

// Start of the last element of a non-empty interior: the "[" balancing a
// final "]", scanning back, or the last byte itself.
std::size_t last_start(const Interior& in) {
    std::size_t last = in.end - 1;
    if (in.text[last] != ']') return last;
    std::size_t depth = 0;
    for (std::size_t i = in.end; i-- > 1;) {
        if (in.text[i] == ']') ++depth;
        if (in.text[i] == '[' && --depth == 0) return i;
    }
    return last;  // nothing balances it: a lone "]"
}

void assert_data(const TermRef& data) {
    VESK_ASSERT(is_pair(data) || leaf_kind(data.cell) == LeafKind::bracket);
}

}  // namespace

bool is_empty_bracket(const TermRef& data) {
    assert_data(data);
    return !is_pair(data) && interior_of(data).end <= 1;
}

TermRef bracket_init(const TermRef& data) {
    VESK_ASSERT(!is_empty_bracket(data));
    if (is_pair(data)) return left(data);
    Interior in = interior_of(data);
    Bytes text(in.text.substr(0, last_start(in)));
    text.push_back(']');
    return TermRef(std::move(text));
}

TermRef bracket_last(const TermRef& data) {
    VESK_ASSERT(!is_empty_bracket(data));
    if (is_pair(data)) return right(data);
    Interior in = interior_of(data);
    std::size_t start = last_start(in);
    if (start + 1 == in.end)  // a single byte, possibly a lone bracket
        return TermRef(byte_numeral(static_cast<unsigned char>(in.text[start])));
    return TermRef(Bytes(in.text.substr(start, in.end - start)));
}

}  // namespace vesk
