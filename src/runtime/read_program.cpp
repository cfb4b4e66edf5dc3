// Reading a program with as little parsing as may be: the main expression
// and every piece the quick read cannot vouch for are parsed; the others
// wait in their pieces of the text.
#include <array>
#include <optional>
#include <utility>

#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/scan_definition.hpp"
#include "runtime/definitions.hpp"

namespace vesk {

namespace {

// The first byte at or after `from` that is not a blank: where a
// definition's messages point.
std::size_t first_non_blank(std::string_view text, std::size_t from) {
    while (from < text.size() && text[from] == ' ') ++from;
    return from;
}

// One stand-in serves every waiting definition of its arity (index
// kStandIns for the uncached ones).
constexpr std::size_t kStandIns = 11;
using StandIns = std::array<std::optional<TermRef>, kStandIns + 1>;

const TermRef& stand_in(StandIns& made, int arity, bool uncached) {
    std::size_t at = uncached ? kStandIns : static_cast<std::size_t>(arity);
    VESK_ASSERT(at <= kStandIns);
    if (!made[at]) made[at] = waiting_stand_in(arity, uncached);
    return *made[at];
}

ParsedDefinition waiting_definition(const ScannedDefinition& s, std::size_t begin,
                                    std::string_view text, StandIns& made) {
    ParsedDefinition d{Bytes(s.written), stand_in(made, s.arity, s.uncached), s.uncached,
                       first_non_blank(text, begin)};
    d.piece = PendingPiece{begin};
    d.free.reserve(s.free.size());
    for (std::string_view name : s.free) d.free.emplace_back(name);
    return d;
}

}  // namespace

TermRef waiting_stand_in(int arity, bool uncached) {
    return uncached ? stored_form(TermRef("Z"), true) : builtin_template(arity);
}

std::optional<ParsedProgram> read_program(Bytes raw, Outcome& out) {
    if (!check_brackets(raw, out)) return std::nullopt;
    auto text = std::make_shared<const Bytes>(normalise_layout(raw));
    raw.clear();
    std::string_view t = *text;
    std::vector<std::size_t> commas = top_level_commas(t);
    // Each piece is read, or kept for the parser with its place among the
    // definitions (a later definition of a name replaces an earlier one).
    std::vector<std::optional<ParsedDefinition>> read(commas.size());
    std::vector<std::size_t> parse_at{0};
    std::vector<std::size_t> parsed_index;
    StandIns made;
    std::vector<std::optional<ScannedDefinition>> scanned = scan_definitions(t, commas);
    for (std::size_t i = 0; i < commas.size(); ++i) {
        std::size_t begin = commas[i] + 1;
        if (const std::optional<ScannedDefinition>& s = scanned[i]) {
            read[i] = waiting_definition(*s, begin, t, made);
        } else {
            parse_at.push_back(begin);
            parsed_index.push_back(i);
        }
    }
    std::vector<TermRef> pieces = parse_pieces_at(t, parse_at);
    for (std::size_t k = 0; k < parsed_index.size(); ++k) {
        read[parsed_index[k]] = read_segment(t, parse_at[k + 1], pieces[k + 1]);
    }
    ParsedProgram program{std::move(pieces[0]), {}, nullptr};
    for (std::optional<ParsedDefinition>& d : read) {
        if (d) program.definitions.push_back(std::move(*d));
    }
    if (parsed_index.size() < commas.size()) program.text = std::move(text);  // some wait
    return program;
}

std::optional<ParsedDefinition> parse_definition_at(std::string_view text, std::size_t begin) {
    std::vector<TermRef> piece = parse_pieces_at(text, {begin});
    return read_segment(text, begin, piece[0]);
}

void parse_waiting(ParsedProgram& program) {
    if (!program.text) return;
    std::string_view text = *program.text;
    std::vector<std::size_t> begins;
    for (const ParsedDefinition& d : program.definitions)
        if (d.piece) begins.push_back(d.piece->begin);
    std::vector<TermRef> pieces = parse_pieces_at(text, begins);  // one machine for all
    auto piece = pieces.begin();
    for (ParsedDefinition& d : program.definitions) {
        if (!d.piece) continue;
        std::optional<ParsedDefinition> parsed = read_segment(text, d.piece->begin, *piece++);
        VESK_ASSERT(parsed && parsed->name == d.name && parsed->uncached == d.uncached);
        d = std::move(*parsed);
    }
    program.text = nullptr;
}

}  // namespace vesk
