#include "runtime/definitions.hpp"

#include <string_view>
#include <vector>

#include "front/brackets.hpp"
#include "front/charcode.hpp"
#include "front/layout.hpp"
#include "front/names.hpp"
#include "front/parser.hpp"
#include "front/tip_text.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

namespace {

// A segment that reads as a definition: the name as written (the text of
// the leaf before the backslash) and the body.
struct Candidate {
    Bytes written;
    TermRef body;
    bool uncached;
};

bool is_leaf_text(const TermRef& t, std::string_view text) {
    return !is_pair(t) && leaf_view(t.cell) == text;
}

// (\ X B) with X a leaf: plain; X = (F }) with the empty leaf: uncached,
// named by F's text (empty when F is a pair). Anything else: no definition.
bool read_definition(const TermRef& t, Candidate& out) {
    if (!is_pair(t) || !is_pair(left(t))) return false;
    TermRef head = left(t);
    if (!is_leaf_text(left(head), "\\")) return false;
    TermRef x = right(head);
    if (!is_pair(x)) {
        out = {leaf_text(x), right(t), false};
        return true;
    }
    if (!is_leaf_text(right(x), "}")) return false;
    out = {leaf_text(left(x)), right(t), true};
    return true;
}

}  // namespace

// The definition in the segment of `text` that starts at `from` and parsed
// as `parsed`, or nothing when the segment is not one.
std::optional<ParsedDefinition> read_segment(std::string_view text, std::size_t from,
                                             const TermRef& parsed) {
    Candidate c{"", TermRef("}"), false};
    if (!read_definition(parsed, c) || !is_name(c.written)) return std::nullopt;
    std::size_t p = from;
    while (p < text.size() && text[p] == ' ') ++p;
    return ParsedDefinition{name_text(c.written), std::move(c.body), c.uncached, p};
}

namespace {

// The refusal of one definition, or "check".
Outcome refusal_of_one(const Runtime& rt, const ParsedDefinition& d) {
    if (is_variable_name(d.name)) return lower_refusal(d);
    if (is_binder_name(d.name) || rt.builtins.count(d.name) != 0) {
        return refused_definition(d, "built",
                                  "Built in function [" + d.name + "] cannot be re-defined.");
    }
    return Outcome{};
}

}  // namespace

TermRef builtin_template(int arity) {
    TermRef acc("Z");
    for (int k = arity - 1; k >= 0; --k) {
        char letter[2] = {static_cast<char>('a' + k), '\0'};
        acc = make_pair(make_pair(TermRef("\\"), TermRef(letter)), std::move(acc));
    }
    return acc;
}

void install_builtin_templates(Runtime& rt) {
    for (const auto& [name, row] : rt.builtins) {
        rt.globals.insert_or_assign(Bytes(name), builtin_template(row->arity));
    }
}

bool is_variable_name(std::string_view name) {
    return name.size() == 1 && name[0] >= 'a' && name[0] <= 'z';
}

bool is_binder_name(std::string_view name) {
    return name == "\\" || name == "{";
}

Outcome refused_definition(const ParsedDefinition& d, const char* code, Bytes say) {
    Outcome out;
    out.code = code;
    out.say = std::move(say);
    out.vip = position_code(static_cast<std::uint32_t>(d.position));
    out.tip = tip_text(d.name);
    return out;
}

Outcome lower_refusal(const ParsedDefinition& d) {
    return refused_definition(
        d, "lower",
        "Single lowercase letters (" + d.name + ") cannot be defined as global variables.");
}

std::optional<ParsedProgram> parse_program(Bytes raw, Outcome& out) {
    if (!check_brackets(raw, out)) return std::nullopt;
    Bytes text = normalise_layout(raw);
    raw.clear();
    std::vector<std::size_t> commas;
    std::vector<TermRef> pieces = parse_comma_pieces(text, commas);
    ParsedProgram program{std::move(pieces[0]), {}};
    for (std::size_t i = 0; i < commas.size(); ++i) {
        if (std::optional<ParsedDefinition> d = read_segment(text, commas[i] + 1, pieces[i + 1])) {
            program.definitions.push_back(std::move(*d));
        }
    }
    return program;
}

TermRef stored_form(TermRef body, bool uncached) {
    return uncached ? make_pair(TermRef("I"), std::move(body)) : body;
}

void store_definition(GlobalTable& globals, UncachedNames& uncached, ParsedDefinition& d) {
    globals.insert_or_assign(d.name, stored_form(std::move(d.body), d.uncached));
    if (d.uncached) {
        uncached.insert(d.name);
    } else {
        uncached.erase(d.name);
    }
}

Outcome refusal_of(const Runtime& rt, const ParsedProgram& program) {
    for (const ParsedDefinition& d : program.definitions) {
        Outcome one = refusal_of_one(rt, d);
        if (!is_check(one)) return one;
    }
    return Outcome{};
}

Outcome load_program(Runtime& rt, ParsedProgram& program) {
    install_builtin_templates(rt);
    rt.globals.insert_or_assign("", std::move(program.main));
    for (ParsedDefinition& d : program.definitions) {
        Outcome one = refusal_of_one(rt, d);
        if (!is_check(one)) return one;
        store_definition(rt.globals, rt.uncached, d);
    }
    return Outcome{};
}

Outcome load_definitions(Runtime& rt, Bytes raw) {
    Outcome out;
    std::optional<ParsedProgram> program = parse_program(std::move(raw), out);
    if (!program) return out;
    return load_program(rt, *program);
}

}  // namespace vesk
