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

Outcome refused(const char* code, Bytes say, const Bytes& name, std::size_t position) {
    Outcome out;
    out.code = code;
    out.say = std::move(say);
    out.vip = position_code(static_cast<std::uint32_t>(position));
    out.tip = tip_text(name);
    return out;
}


// The definition after the comma at `comma`: stored, skipped, or refused.
Outcome load_one(Runtime& rt, std::string_view text, std::size_t comma, std::size_t end) {
    Outcome out;
    Candidate c{"", TermRef("}"), false};
    std::string_view segment = text.substr(comma + 1, end - comma - 1);
    if (!read_definition(parse_expression(segment), c) || !is_name(c.written)) return out;
    Bytes name = name_text(c.written);
    std::size_t p = comma + 1;
    while (p < text.size() && text[p] == ' ') ++p;
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
        return refused(
            "lower",
            "Single lowercase letters (" + name + ") cannot be defined as global variables.", name,
            p);
    }
    if (name == "\\" || name == "{" || rt.builtins.count(name) != 0) {
        return refused("built", "Built in function [" + name + "] cannot be re-defined.", name, p);
    }
    if (c.uncached) {
        rt.globals.insert_or_assign(name, make_pair(TermRef("I"), std::move(c.body)));
        rt.uncached.insert(name);
    } else {
        rt.globals.insert_or_assign(name, std::move(c.body));
        rt.uncached.erase(name);
    }
    return out;
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

Outcome load_definitions(Runtime& rt, Bytes raw) {
    Outcome out;
    if (!check_brackets(raw, out)) return out;
    install_builtin_templates(rt);
    Bytes text = normalise_layout(raw);
    raw.clear();
    std::vector<std::size_t> commas = split_top(text, ",");
    std::string_view view(text);
    std::size_t main_end = commas.empty() ? text.size() : commas[0];
    rt.globals.insert_or_assign("", parse_expression(view.substr(0, main_end)));
    for (std::size_t i = 0; i < commas.size(); ++i) {
        std::size_t end = i + 1 < commas.size() ? commas[i + 1] : text.size();
        Outcome one = load_one(rt, view, commas[i], end);
        if (!is_check(one)) return one;
    }
    return out;
}

}  // namespace vesk
