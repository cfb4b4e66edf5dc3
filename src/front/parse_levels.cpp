// Levels 1 to 8: operators between two operands, and comma lists.
#include <array>

#include "front/parse_machine.hpp"

namespace vesk {

namespace {

constexpr int kNoOperator = 9;

// The level of each operator byte; kNoOperator for every other byte.
constexpr std::array<std::uint8_t, 256> make_levels() {
    std::array<std::uint8_t, 256> levels{};
    for (auto& l : levels) l = kNoOperator;
    const char* rows[] = {";\\{", "?\n", "&|", "=<>#", "@ ", "+-:.", "*/%'", "^"};
    for (std::uint8_t level = 1; level <= 8; ++level)
        for (const char* c = rows[level - 1]; *c != '\0'; ++c)
            levels[static_cast<unsigned char>(*c)] = level;
    return levels;
}
constexpr std::array<std::uint8_t, 256> levels = make_levels();

bool folds_right(int level) {
    return level == 1 || level == 3 || level == 4 || level == 8;
}

// Index where the segment after the operator at p starts: past the whole
// brace group for '{', the next byte otherwise.
std::size_t segment_after(const ParseMachine& m, std::size_t p) {
    return m.text[p] == '{' ? partner_at(m.brackets, p) + 1 : p + 1;
}

// Finds, in one pass over the top level of [begin, end), the loosest level
// from `from` on that has operators there, and leaves their positions in
// m.scratch. Returns kNoOperator when there are none. `deeper` tells whether
// operators of a tighter level were met too: when none were, the segments
// between the operators hold none of any level, and need no scan of their own.
int loosest_level(ParseMachine& m, std::size_t begin, std::size_t end, int from, bool& deeper) {
    int best = kNoOperator;
    int tightest = 0;
    m.scratch.clear();
    for (std::size_t i = begin; i < end; i = past_group(m.text, m.brackets, i)) {
        int level = levels[static_cast<unsigned char>(m.text[i])];
        if (level < from || level == kNoOperator) continue;
        if (level > tightest) tightest = level;
        if (level > best) continue;
        if (level < best) {
            best = level;
            m.scratch.clear();
        }
        m.scratch.push_back(i);
    }
    deeper = tightest > best;
    return best;
}

void push(ParseMachine& m, ParseStep step, int level, char ch, std::size_t begin, std::size_t end) {
    m.tasks.push_back({step, static_cast<std::uint8_t>(level), ch, begin, end});
}

// Tasks run in reverse order of pushing. A right fold parses every segment
// (with each brace list between its neighbours) and then combines from the
// last operator back to the first; a left fold combines after each segment.
// `deeper` false: the segments go straight to the affix levels.
void push_fold(ParseMachine& m, int level, bool deeper, std::size_t begin, std::size_t end) {
    const std::vector<std::size_t>& ops = m.scratch;
    std::size_t k = ops.size();
    auto segment_begin = [&](std::size_t j) {
        return j == 0 ? begin : segment_after(m, ops[j - 1]);
    };
    auto segment_end = [&](std::size_t j) { return j == k ? end : ops[j]; };
    ParseStep segment = deeper ? ParseStep::levels : ParseStep::affixes;
    if (folds_right(level)) {
        for (std::size_t j = 0; j < k; ++j) {
            char op = m.text[ops[j]];
            push(m, op == '{' ? ParseStep::brace : ParseStep::combine, 0, op, 0, 0);
        }
        for (std::size_t j = k; j > 0; --j) {
            push(m, segment, level + 1, 0, segment_begin(j), segment_end(j));
            std::size_t p = ops[j - 1];
            if (m.text[p] == '{')
                push(m, ParseStep::brace_list, 0, 0, p + 1, partner_at(m.brackets, p));
        }
    } else {
        for (std::size_t j = k; j > 0; --j) {
            push(m, ParseStep::combine, 0, m.text[ops[j - 1]], 0, 0);
            push(m, segment, level + 1, 0, segment_begin(j), segment_end(j));
        }
    }
    push(m, segment, level + 1, 0, begin, segment_end(0));
}

}  // namespace

void parse_levels(ParseMachine& m, const ParseTask& t) {
    bool deeper = false;
    int level = t.level > 8 ? kNoOperator : loosest_level(m, t.begin, t.end, t.level, deeper);
    if (level == kNoOperator) {
        parse_affixes(m, t);
        return;
    }
    push_fold(m, level, deeper, t.begin, t.end);
}

// Items are split at the top-level commas of the range. A brace list pushes
// one ',' combination per comma (they run after all items, folding from the
// right); a call list applies each item to the term below it as it comes.
void parse_comma_list(ParseMachine& m, const ParseTask& t) {
    m.scratch.clear();
    for (std::size_t i = t.begin; i < t.end; i = past_group(m.text, m.brackets, i))
        if (m.text[i] == ',') m.scratch.push_back(i);
    const std::vector<std::size_t>& commas = m.scratch;
    std::size_t k = commas.size();
    bool brace = t.step == ParseStep::brace_list;
    if (brace)
        for (std::size_t j = 0; j < k; ++j) push(m, ParseStep::combine, 0, ',', 0, 0);
    for (std::size_t j = k + 1; j-- > 0;) {
        if (!brace) push(m, ParseStep::combine, 0, ' ', 0, 0);
        std::size_t b = j == 0 ? t.begin : commas[j - 1] + 1;
        std::size_t e = j == k ? t.end : commas[j];
        push(m, ParseStep::levels, 1, 0, b, e);
    }
}

}  // namespace vesk
