// The findings of `vesk --check`. Segments are cut at the top-level commas
// of the text as written (blanks and newlines never decide where a comma
// is), and each is normalised and parsed alone, as the loader reads it.
#include "driver/findings.hpp"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "checks/free_names.hpp"
#include "diagnostics/picture.hpp"
#include "driver/where.hpp"
#include "front/layout.hpp"
#include "front/names.hpp"
#include "front/parser.hpp"
#include "runtime/definitions.hpp"

namespace vesk {

namespace {

// A name or text of the program, shown one glyph a byte.
Bytes shown(std::string_view text) {
    return render(text, false);
}

std::size_t skip_layout(std::string_view raw, std::size_t from, std::size_t end) {
    while (from < end && (raw[from] == ' ' || raw[from] == '\n')) ++from;
    return from;
}

// A head of lower-case letters and digits only, digits among them: a name
// written with digits, such as "crlf2".
bool has_digits_in_name(std::string_view head) {
    bool digit = false;
    for (char c : head) {
        auto b = static_cast<unsigned char>(c);
        if (is_digit_byte(b)) {
            digit = true;
        } else if (!is_lower_byte(b)) {
            return false;
        }
    }
    return digit && is_lower_byte(static_cast<unsigned char>(head[0]));
}

// "f\x\y\..." for a head "f x y" of lower-case words, else empty.
Bytes function_form(std::string_view head) {
    Bytes form;
    for (char c : head) {
        auto b = static_cast<unsigned char>(c);
        if (b == ' ') {
            form += '\\';
        } else if (is_lower_byte(b)) {
            form += c;
        } else {
            return {};
        }
    }
    return form + "\\...";
}

// Why the normalised segment `text`, which is no definition, is skipped.
Bytes skipped_reason(std::string_view text) {
    std::vector<std::size_t> binders = split_top(text, "\\");
    if (binders.empty() || binders[0] == 0) {
        return "skipped: this segment has no name\\ at its head, so it defines nothing";
    }
    std::string_view head = text.substr(0, binders[0]);
    if (head.find('\r') != std::string_view::npos) {
        return "skipped: a carriage return (a CRLF line end) in its head is no part of a name, "
               "so this segment defines nothing";
    }
    if (has_digits_in_name(head)) {
        return "skipped: the name " + shown(head) +
               " holds digits, which names never do, so this segment defines nothing";
    }
    Bytes reason = "skipped: the head \"" + shown(head) +
                   "\" is not a name, so this segment defines nothing";
    Bytes form = function_form(head);
    if (!form.empty()) reason += " (a function is written " + form + ")";
    return reason;
}

struct Defined {
    std::size_t offset;
    TermRef body;
};
using DefinedNames = std::map<Bytes, std::vector<Defined>, std::less<>>;

Bytes prelude_kind(std::string_view name) {
    unsigned char b = static_cast<unsigned char>(name[0]);
    return b >= 'A' && b <= 'Z' ? "combinator " : "operator ";
}

// The definitions, by name in text order, with a finding for each segment
// that defines nothing and each name of the prelude defined again; the
// skipped segments' ranges go to `covered`. Returns the main expression.
TermRef read_segments(std::string_view raw, const GlobalTable& prelude, DefinedNames& defined,
                      std::vector<Finding>& out,
                      std::vector<std::pair<std::size_t, std::size_t>>& covered) {
    std::vector<std::size_t> commas = top_level_commas(raw);
    std::size_t first_end = commas.empty() ? raw.size() : commas[0];
    TermRef main = parse_expression(normalise_layout(raw.substr(0, first_end)));
    for (std::size_t k = 0; k < commas.size(); ++k) {
        std::size_t begin = commas[k] + 1;
        std::size_t end = k + 1 < commas.size() ? commas[k + 1] : raw.size();
        Bytes text = normalise_layout(raw.substr(begin, end - begin));
        std::size_t at = skip_layout(raw, begin, end);
        if (text.empty()) {
            out.push_back({commas[k], "an empty segment after this comma defines nothing"});
            continue;
        }
        // A segment that is one bracket text is how programs write a note
        // (there is no comment syntax): skipped, as meant.
        if (text[0] == '[' && match_bracket(text, 0) == text.size() - 1) continue;
        TermRef parsed = parse_expression(text);
        std::optional<ParsedDefinition> d = read_segment(text, 0, parsed);
        if (!d) {
            out.push_back({at, skipped_reason(text)});
            covered.emplace_back(at, end);
            continue;
        }
        if (d->name.size() == 1 && prelude.count(d->name) != 0) {
            out.push_back({at, "this definition replaces the prelude's " + prelude_kind(d->name) +
                                   shown(d->name)});
        }
        defined[d->name].push_back({at, std::move(d->body)});
    }
    return main;
}

// Definitions that a later one replaces, and those the main expression
// (borrowed) never reaches.
void unused_definitions(std::string_view raw, const TermRef& main, const DefinedNames& defined,
                        const GlobalTable& prelude, std::vector<Finding>& out) {
    for (const auto& [name, all] : defined) {
        for (std::size_t i = 0; i + 1 < all.size(); ++i) {
            LineColumn again = line_column(raw, all[i + 1].offset);
            out.push_back({all[i].offset, shown(name) + " is defined again at line " +
                                              std::to_string(again.line) +
                                              ", which replaces this definition"});
        }
    }
    std::set<Bytes, std::less<>> reached;
    NameList work = free_name_set(main);
    while (!work.empty()) {
        Bytes name = std::move(work.back());
        work.pop_back();
        auto found = defined.find(name);
        if (found == defined.end() || !reached.insert(name).second) continue;
        for (Bytes& used : free_name_set(found->second.back().body)) work.push_back(std::move(used));
    }
    // A name of the prelude is the prelude's own plumbing (its combinators
    // use one another, and every operator in the text is a use): only the
    // program's new names are followed.
    for (const auto& [name, all] : defined) {
        if (reached.count(name) == 0 && !(name.size() == 1 && prelude.count(name) != 0)) {
            out.push_back({all.back().offset, shown(name) + " is never reached from the main expression"});
        }
    }
}

// `covered` holds ranges in text order that do not overlap.
bool is_covered(const std::vector<std::pair<std::size_t, std::size_t>>& covered, std::size_t at) {
    auto after = std::upper_bound(covered.begin(), covered.end(), at,
                                  [](std::size_t x, const auto& range) { return x < range.first; });
    return after != covered.begin() && at < std::prev(after)->second;
}

// Names right before digits and carriage returns, outside text literals.
void scan_bytes(std::string_view raw, const std::vector<std::pair<std::size_t, std::size_t>>& covered,
                std::vector<Finding>& out) {
    std::size_t returns = 0, first_return = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        auto c = static_cast<unsigned char>(raw[i]);
        if (c == '[') {
            i = match_bracket(raw, i);
        } else if (c == '\r') {
            if (returns++ == 0) first_return = i;
        } else if (is_digit_byte(c) && i > 0 && is_lower_byte(static_cast<unsigned char>(raw[i - 1]))) {
            std::size_t start = i, stop = i;
            while (start > 0 && is_lower_byte(static_cast<unsigned char>(raw[start - 1]))) --start;
            while (stop < raw.size() && is_digit_byte(static_cast<unsigned char>(raw[stop]))) ++stop;
            if (is_covered(covered, start)) continue;
            std::string_view name = raw.substr(start, i - start), digits = raw.substr(i, stop - i);
            out.push_back({start, shown(name) + shown(digits) + " is " + shown(name) + " applied to " +
                                      shown(digits) + ": names hold no digits"});
        }
    }
    if (returns == 0) return;
    Bytes message = "a carriage return (a CRLF line end) is a name of its own here";
    if (returns > 1) message += "; " + std::to_string(returns - 1) + " more follow";
    out.push_back({first_return, message});
}

}  // namespace

std::vector<Finding> program_findings(std::string_view raw, const GlobalTable& prelude) {
    std::vector<Finding> out;
    std::vector<std::pair<std::size_t, std::size_t>> covered;
    DefinedNames defined;
    TermRef main = read_segments(raw, prelude, defined, out, covered);
    unused_definitions(raw, main, defined, prelude, out);
    scan_bytes(raw, covered, out);
    std::stable_sort(out.begin(), out.end(),
                     [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
    return out;
}

}  // namespace vesk
