#include "front/parser.hpp"

#include <cstdint>

#include "front/byte_sets.hpp"
#include "front/layout.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

TermRef byte_leaf(ParseMachine& m, unsigned char c) {
    std::optional<TermRef>& slot = m.byte_leaves[c];
    if (!slot) slot.emplace(leaf_term(std::string_view(reinterpret_cast<const char*>(&c), 1)));
    return *slot;
}

namespace {

std::uint64_t text_hash(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return h ^ (h >> 29);
}

void place_leaf(TextLeaves& leaves, Term* leaf) {
    std::size_t mask = leaves.slots.size() - 1;
    std::size_t at = text_hash(leaf_view(leaf)) & mask;
    while (leaves.slots[at] != nullptr) at = (at + 1) & mask;
    leaves.slots[at] = leaf;
    ++leaves.used;
}

void grow_leaves(TextLeaves& leaves) {
    std::vector<Term*> old = std::move(leaves.slots);
    leaves.slots.assign(old.empty() ? 64 : 2 * old.size(), nullptr);
    leaves.used = 0;
    for (Term* leaf : old)
        if (leaf != nullptr) place_leaf(leaves, leaf);
}

}  // namespace

TermRef text_leaf(ParseMachine& m, std::string_view atom) {
    TextLeaves& leaves = m.text_leaves;
    if (2 * (leaves.used + 1) > leaves.slots.size()) grow_leaves(leaves);
    std::size_t mask = leaves.slots.size() - 1;
    std::size_t at = text_hash(atom) & mask;
    for (; leaves.slots[at] != nullptr; at = (at + 1) & mask) {
        if (leaf_view(leaves.slots[at]) == atom) return TermRef(leaves.slots[at]);
    }
    TermRef leaf = leaf_term(atom);
    leaves.slots[at] = leaf.get();
    ++leaves.used;
    retain(leaf.get());
    return leaf;
}

TermRef parse_expression(std::string_view text) {
    ParseMachine m;
    m.text = text;
    std::size_t stop = 0;
    TermRef term = parse_range(m, 0, text.size(), RangeStart::expression, stop);
    VESK_ASSERT(stop == text.size());
    return term;
}

TermRef parse_brace_list(std::string_view text) {
    ParseMachine m;
    m.text = text;
    std::size_t stop = 0;
    return parse_range(m, 0, text.size(), RangeStart::brace_list, stop);
}

std::vector<TermRef> parse_comma_pieces(std::string_view text, std::vector<std::size_t>& commas) {
    // One machine reads the pieces in turn; each ends at a top-level comma,
    // so the commas are found on the way.
    commas.clear();
    ParseMachine m;
    m.text = text;
    std::vector<TermRef> pieces;
    for (std::size_t begin = 0;;) {
        std::size_t stop = 0;
        pieces.push_back(parse_range(m, begin, text.size(), RangeStart::piece, stop));
        if (stop == text.size()) break;
        VESK_ASSERT(text[stop] == ',');  // not a stray closing bracket
        commas.push_back(stop);
        begin = stop + 1;
    }
    return pieces;
}

std::vector<TermRef> parse_pieces_at(std::string_view text,
                                     const std::vector<std::size_t>& begins) {
    ParseMachine m;
    m.text = text;
    std::vector<TermRef> pieces;
    pieces.reserve(begins.size());
    for (std::size_t begin : begins) {
        std::size_t stop = 0;
        pieces.push_back(parse_range(m, begin, text.size(), RangeStart::piece, stop));
        VESK_ASSERT(stop == text.size() || text[stop] == ',');
    }
    return pieces;
}

std::vector<std::size_t> top_level_commas(std::string_view text) {
    static constexpr ByteSet kBrackets = make_byte_set("()[]{},");
    std::vector<std::size_t> commas;
    std::size_t depth = 0;    // open parentheses and braces, counted together
    std::size_t squares = 0;  // open square brackets: inside them nothing else counts
    for (std::size_t i = next_in(text, 0, kBrackets); i < text.size();
         i = next_in(text, i + 1, kBrackets)) {
        char c = text[i];
        if (squares > 0) {
            if (c == '[') ++squares;
            if (c == ']') --squares;
        } else if (c == '[') {
            squares = 1;
        } else if (c == '(' || c == '{') {
            ++depth;
        } else if (c == ')' || c == '}') {
            VESK_ASSERT(depth > 0);
            --depth;
        } else if (c == ',' && depth == 0) {
            commas.push_back(i);
        }
    }
    return commas;
}

std::vector<std::size_t> split_top(std::string_view text, std::string_view set) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < text.size(); i = match_bracket(text, i) + 1)
        if (set.find(text[i]) != std::string_view::npos) positions.push_back(i);
    return positions;
}

}  // namespace vesk
