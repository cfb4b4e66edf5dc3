// Levels 1 to 8: operators between two operands, and comma lists.
#include <array>

#include "front/names.hpp"
#include "front/parse_machine.hpp"

namespace vesk {

namespace {

constexpr int kNoOperator = 9;
constexpr int kAffix = 10;  // not an operator, but worth noting in a scan

// The level of each operator byte; kAffix for an affix, kNoOperator for
// every other byte.
constexpr std::array<std::uint8_t, 256> make_levels() {
    std::array<std::uint8_t, 256> levels{};
    for (auto& l : levels) l = kNoOperator;
    for (char c : kAffixCharacters) levels[static_cast<unsigned char>(c)] = kAffix;
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

// What one pass over the top level of a range found.
struct Scan {
    int level;     // the loosest level from the scan's own on, kNoOperator for none
    bool deeper;   // operators of a tighter level are there too
    bool affixes;  // affixes are there
};

// Scans the top level of [begin, end) for operators from level `from` on,
// and leaves the positions of the loosest ones in m.scratch. When no tighter
// operator was met, the segments between those hold none of any level and
// need no scan of their own; when no affix was met either, they are atoms.
Scan scan_range(ParseMachine& m, std::size_t begin, std::size_t end, int from) {
    Scan scan{kNoOperator, false, false};
    int tightest = 0;
    m.scratch.clear();
    for (std::size_t i = begin; i < end; i = past_group(m.text, m.brackets, i)) {
        int level = levels[static_cast<unsigned char>(m.text[i])];
        if (level >= kNoOperator) {
            scan.affixes = scan.affixes || level == kAffix;
            continue;
        }
        if (level < from) continue;
        if (level > tightest) tightest = level;
        if (level > scan.level) continue;
        if (level < scan.level) {
            scan.level = level;
            m.scratch.clear();
        }
        m.scratch.push_back(i);
    }
    scan.deeper = tightest > scan.level;
    return scan;
}

void push(ParseMachine& m, ParseStep step, int level, char ch, std::size_t begin, std::size_t end) {
    m.tasks.push_back({step, static_cast<std::uint8_t>(level), ch, begin, end});
}

// The task for one segment of a fold, as `scan` found the range.
void push_segment(ParseMachine& m, const Scan& scan, std::size_t begin, std::size_t end) {
    if (scan.deeper) {
        push(m, ParseStep::levels, scan.level + 1, 0, begin, end);
    } else if (scan.affixes || begin == end) {
        push(m, ParseStep::affixes, 0, 0, begin, end);
    } else {
        push(m, ParseStep::chunk, 0, 0, begin, end);
    }
}

// Tasks run in reverse order of pushing. A right fold parses every segment
// (with each brace list between its neighbours) and then combines from the
// last operator back to the first; a left fold combines after each segment.
void push_fold(ParseMachine& m, const Scan& scan, std::size_t begin, std::size_t end) {
    int level = scan.level;
    const std::vector<std::size_t>& ops = m.scratch;
    std::size_t k = ops.size();
    auto segment_begin = [&](std::size_t j) {
        return j == 0 ? begin : segment_after(m, ops[j - 1]);
    };
    auto segment_end = [&](std::size_t j) { return j == k ? end : ops[j]; };
    if (folds_right(level)) {
        for (std::size_t j = 0; j < k; ++j) {
            char op = m.text[ops[j]];
            push(m, op == '{' ? ParseStep::brace : ParseStep::combine, 0, op, 0, 0);
        }
        for (std::size_t j = k; j > 0; --j) {
            push_segment(m, scan, segment_begin(j), segment_end(j));
            std::size_t p = ops[j - 1];
            if (m.text[p] == '{')
                push(m, ParseStep::brace_list, 0, 0, p + 1, partner_at(m.brackets, p));
        }
    } else {
        for (std::size_t j = k; j > 0; --j) {
            push(m, ParseStep::combine, 0, m.text[ops[j - 1]], 0, 0);
            push_segment(m, scan, segment_begin(j), segment_end(j));
        }
    }
    push_segment(m, scan, begin, segment_end(0));
}

}  // namespace

void parse_levels(ParseMachine& m, const ParseTask& t) {
    if (t.level > 8) {
        parse_affixes(m, t);
        return;
    }
    Scan scan = scan_range(m, t.begin, t.end, t.level);
    if (scan.level != kNoOperator) {
        push_fold(m, scan, t.begin, t.end);
    } else if (scan.affixes || t.begin == t.end) {
        parse_affixes(m, t);
    } else {
        parse_chunk(m, {ParseStep::chunk, 0, 0, t.begin, t.end});
    }
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
