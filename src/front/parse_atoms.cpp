// Levels 9 to 12: affixes, and chunks cut into atoms.
#include "front/layout.hpp"
#include "front/names.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

namespace {

void push(ParseMachine& m, ParseStep step, int level, char ch, std::size_t begin, std::size_t end) {
    m.tasks.push_back({step, static_cast<std::uint8_t>(level), ch, begin, end});
}

bool affix_at(const ParseMachine& m, std::size_t i) {
    return is_affix_character(static_cast<unsigned char>(m.text[i]));
}

// Level 11 on [begin, end), which neither begins nor ends with an affix:
// the operand before the first affix run, then each run with the operand
// after it, applied in turn. A run's affixes nest, the first outermost.
void push_affix_runs(ParseMachine& m, std::size_t begin, std::size_t end) {
    // scratch holds (run start, run end) pairs of the top-level affix runs.
    m.scratch.clear();
    for (std::size_t i = begin; i < end;) {
        if (!affix_at(m, i)) {
            i = past_group(m.text, m.brackets, i);
            continue;
        }
        m.scratch.push_back(i);
        while (i < end && affix_at(m, i)) ++i;
        m.scratch.push_back(i);
    }
    const std::vector<std::size_t>& runs = m.scratch;
    std::size_t count = runs.size() / 2;
    for (std::size_t r = count; r-- > 0;) {
        std::size_t start = runs[2 * r];
        std::size_t stop = runs[2 * r + 1];
        std::size_t next = r + 1 < count ? runs[2 * r + 2] : end;
        push(m, ParseStep::combine, 0, ' ', 0, 0);
        for (std::size_t i = start; i < stop; ++i) push(m, ParseStep::wrap, 0, m.text[i], 0, 0);
        push(m, ParseStep::chunk, 0, 0, stop, next);
    }
    push(m, ParseStep::chunk, 0, 0, begin, count > 0 ? runs[0] : end);
}

// Index just past the atom that starts at `a` in a chunk ending at `end`.
std::size_t atom_end(const ParseMachine& m, std::size_t a, std::size_t end) {
    std::size_t j = past_group(m.text, m.brackets, a);
    while (j < end && !is_atom_cut(static_cast<unsigned char>(m.text[j - 1]),
                                   static_cast<unsigned char>(m.text[j])))
        ++j;
    return j;
}

// The term of an atom that is not parenthesised: numbers, names and square
// literals keep their text; a single byte is its shared leaf, a NUL byte the
// newline leaf. A run of several other bytes (a stray comma beside an
// operator, say) stays one leaf of its text.
TermRef atom_term(ParseMachine& m, std::size_t a, std::size_t stop) {
    std::string_view atom = m.text.substr(a, stop - a);
    unsigned char first = static_cast<unsigned char>(atom[0]);
    if (is_digit_byte(first) || is_lower_byte(first) || first == '[' || atom.size() > 1)
        return text_leaf(m, atom);
    return byte_leaf(m, first == '\0' ? '\n' : first);
}

}  // namespace

void parse_affixes(ParseMachine& m, const ParseTask& t) {
    if (t.begin == t.end) {
        m.values.push_back(byte_leaf(m, '}'));
        return;
    }
    // Trailing affixes apply to all before them, the last one outermost.
    std::size_t end = t.end;
    while (end > t.begin && affix_at(m, end - 1)) --end;
    for (std::size_t i = t.end; i-- > end;) push(m, ParseStep::wrap, 0, m.text[i], 0, 0);
    if (end == t.begin) {
        m.values.push_back(byte_leaf(m, '}'));
        return;
    }
    // Leading affixes apply to all after them, the first one outermost.
    std::size_t begin = t.begin;
    while (affix_at(m, begin)) ++begin;
    for (std::size_t i = t.begin; i < begin; ++i) push(m, ParseStep::wrap, 0, m.text[i], 0, 0);
    push_affix_runs(m, begin, end);
}

// Works through the atoms of [begin, end) left to right. A parenthesised
// atom needs a full parse first: the walk stops there and leaves a task to
// resume after it (level 1 marks that the term so far is on the stack).
void parse_chunk(ParseMachine& m, const ParseTask& t) {
    VESK_ASSERT(t.begin < t.end);
    std::size_t pos = t.begin;
    if (t.level == 0) {
        std::size_t stop = atom_end(m, pos, t.end);
        if (m.text[pos] == '(') {
            if (stop < t.end) push(m, ParseStep::chunk, 1, 0, stop, t.end);
            push(m, ParseStep::levels, 1, 0, pos + 1, stop - 1);
            return;
        }
        m.values.push_back(atom_term(m, pos, stop));
        pos = stop;
    }
    while (pos < t.end) {
        std::size_t stop = atom_end(m, pos, t.end);
        if (m.text[pos] == '(') {
            if (stop < t.end) push(m, ParseStep::chunk, 1, 0, stop, t.end);
            push(m, ParseStep::call_list, 0, 0, pos + 1, stop - 1);
            return;
        }
        TermRef acc = std::move(m.values.back());
        m.values.back() = make_pair(std::move(acc), atom_term(m, pos, stop));
        pos = stop;
    }
}

}  // namespace vesk
