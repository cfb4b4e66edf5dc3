#include "front/parser.hpp"

#include <cstdint>

#include "front/layout.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

namespace {

TermRef pop_value(ParseMachine& m) {
    VESK_ASSERT(!m.values.empty());
    TermRef v = std::move(m.values.back());
    m.values.pop_back();
    return v;
}

void combine(ParseMachine& m, char op) {
    TermRef r = pop_value(m);
    TermRef l = pop_value(m);
    if (op == ' ' || op == '\n') {
        m.values.push_back(make_pair(std::move(l), std::move(r)));
        return;
    }
    TermRef head = make_pair(byte_leaf(m, static_cast<unsigned char>(op)), std::move(l));
    m.values.push_back(make_pair(std::move(head), std::move(r)));
}

void combine_brace(ParseMachine& m) {
    TermRef acc = pop_value(m);
    TermRef list = pop_value(m);
    TermRef l = pop_value(m);
    TermRef head = make_pair(make_pair(byte_leaf(m, '{'), std::move(l)), std::move(list));
    m.values.push_back(make_pair(std::move(head), std::move(acc)));
}

void wrap(ParseMachine& m, char affix) {
    TermRef x = pop_value(m);
    m.values.push_back(make_pair(byte_leaf(m, static_cast<unsigned char>(affix)), std::move(x)));
}

void perform(ParseMachine& m, const ParseTask& t) {
    switch (t.step) {
        case ParseStep::levels: parse_levels(m, t); break;
        case ParseStep::affixes: parse_affixes(m, t); break;
        case ParseStep::chunk: parse_chunk(m, t); break;
        case ParseStep::brace_list:
        case ParseStep::call_list: parse_comma_list(m, t); break;
        case ParseStep::combine: combine(m, t.ch); break;
        case ParseStep::brace: combine_brace(m); break;
        case ParseStep::wrap: wrap(m, t.ch); break;
    }
}

}  // namespace

ParseMachine make_parse_machine(std::string_view text) {
    ParseMachine m;
    m.text = text;
    m.brackets = build_bracket_table(text);
    return m;
}

TermRef run_parse_machine(ParseMachine& m) {
    while (!m.tasks.empty()) {
        ParseTask t = m.tasks.back();
        m.tasks.pop_back();
        perform(m, t);
    }
    VESK_ASSERT(m.values.size() == 1);
    return pop_value(m);
}

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
    ParseMachine m = make_parse_machine(text);
    m.tasks.push_back({ParseStep::levels, 1, 0, 0, text.size()});
    return run_parse_machine(m);
}

TermRef parse_brace_list(std::string_view text) {
    ParseMachine m = make_parse_machine(text);
    m.tasks.push_back({ParseStep::brace_list, 0, 0, 0, text.size()});
    return run_parse_machine(m);
}

std::vector<TermRef> parse_comma_pieces(std::string_view text, std::vector<std::size_t>& commas) {
    // The machine only reads inside a task's range, so every piece can run
    // on the one machine over the whole text, with the brackets of just
    // that piece paired in one table's room.
    commas.clear();
    for (std::optional<std::size_t> at = find_top(0, text, ","); at;
         at = find_top(*at + 1, text, ",")) {
        commas.push_back(*at);
    }
    ParseMachine m;
    m.text = text;
    std::vector<TermRef> pieces;
    pieces.reserve(commas.size() + 1);
    for (std::size_t k = 0; k <= commas.size(); ++k) {
        std::size_t begin = k == 0 ? 0 : commas[k - 1] + 1;
        std::size_t end = k == commas.size() ? text.size() : commas[k];
        pair_brackets(text, begin, end, m.brackets);
        m.tasks.push_back({ParseStep::levels, 1, 0, begin, end});
        pieces.push_back(run_parse_machine(m));
    }
    return pieces;
}

std::vector<std::size_t> split_top(std::string_view text, std::string_view set) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < text.size(); i = match_bracket(text, i) + 1)
        if (set.find(text[i]) != std::string_view::npos) positions.push_back(i);
    return positions;
}

}  // namespace vesk
