#include "checks/letters.hpp"

#include <set>

#include "checks/binders.hpp"
#include "checks/debug_log.hpp"
#include "checks/walk.hpp"
#include "front/names.hpp"
#include "front/printer.hpp"
#include "front/tip_text.hpp"

namespace vesk {

namespace {

bool is_letter_name(std::string_view name) {
    return name.size() == 1 && name[0] >= 'a' && name[0] <= 'z';
}

// The bound part of a lambda or let, or null for any other cell.
Term* bound_part(const Term* cell) {
    if (is_lambda_cell(cell)) return lambda_bound(cell);
    if (is_let_cell(cell)) return let_bound(cell);
    return nullptr;
}

}  // namespace

BoundNames bound_names(const TermRef& term) {
    BoundNames names;
    std::set<Bytes, std::less<>> met;
    std::set<const Term*> seen;
    std::vector<Term*> todo{term.get()};
    while (!todo.empty()) {
        Term* cell = todo.back();
        todo.pop_back();
        if (is_leaf_cell(cell)) continue;
        if (refs_of(cell) > 1 && !seen.insert(cell).second) continue;
        Term* bound = bound_part(cell);
        if (bound != nullptr && is_name_binder(bound)) {
            Bytes name = name_text(leaf_view(bound));
            if (met.insert(name).second) {
                (is_letter_name(name) ? names.letters : names.renamed).push_back(std::move(name));
            }
        }
        todo.push_back(right_cell(cell));
        todo.push_back(left_cell(cell));
    }
    return names;
}

std::optional<std::map<Bytes, char, std::less<>>> choose_letters(const BoundNames& names) {
    if (names.renamed.size() + names.letters.size() > 26) return std::nullopt;
    bool used[26] = {};
    for (const Bytes& letter : names.letters) used[letter[0] - 'a'] = true;
    std::map<Bytes, char, std::less<>> chosen;
    int next = 0;
    for (const Bytes& name : names.renamed) {
        while (used[next]) ++next;
        used[next] = true;
        chosen.emplace(name, static_cast<char>('a' + next));
    }
    return chosen;
}

TermRef rename_to_letters(const TermRef& term, const std::map<Bytes, char, std::less<>>& letters) {
    // One leaf per letter, shared by every place that gets it. Every leaf of
    // the term is looked up, and there are at most 26 names: a scan that
    // tests the length and first byte first is quicker than a tree of strings.
    std::vector<std::pair<std::string_view, TermRef>> leaves;
    for (const auto& [name, letter] : letters) {
        leaves.emplace_back(name, leaf_term(std::string_view(&letter, 1)));
    }
    auto leaf_of = [&](std::string_view name) -> const TermRef* {
        for (const auto& [text, leaf] : leaves) {
            if (text.size() == name.size() && text[0] == name[0] && text == name) return &leaf;
        }
        return nullptr;
    };
    auto leaf_fn = [&](Term* leaf) {
        const TermRef* letter = leaf_of(leaf_view(leaf));
        return letter ? *letter : TermRef(leaf);
    };
    // The head (\ x) or ({ x) of a binder: a bracketed bound part such as
    // "[+]" binds "+", which the leaf rule alone does not see.
    auto pair_fn = [&](Term* original, TermRef left, TermRef right) {
        Term* head = left_cell(original);
        Term* bound = right_cell(original);
        if ((is_byte_leaf(head, '\\') || is_byte_leaf(head, '{')) && is_name_binder(bound) &&
            right.get() == bound) {
            std::string_view text = leaf_view(bound);  // "[+]" binds "+"
            if (const TermRef* letter = leaf_of(text[0] == '[' ? text.substr(1, 1) : text)) {
                right = *letter;
            }
        }
        return keep_or_pair(original, std::move(left), std::move(right));
    };
    return rebuild_term(term, leaf_fn, pair_fn);
}

// `log` is null when the debug log is off: the note is not even printed.
std::optional<TermRef> assign_letters(const Bytes& name, const TermRef& term, Bytes* log) {
    BoundNames names = bound_names(term);
    if (names.renamed.empty()) return term;
    if (log != nullptr) *log += "First " + name + ": " + print_term(term) + "\n";
    std::optional<std::map<Bytes, char, std::less<>>> letters = choose_letters(names);
    if (!letters) return std::nullopt;
    return rename_to_letters(term, *letters);
}

// One append for the whole pass: a program of thousands of definitions would
// otherwise open and close the log thousands of times.
bool check_letters(GlobalTable& globals, Outcome& out) {
    Bytes log;
    Bytes* notes = debug_log_path() ? &log : nullptr;
    bool placed = true;
    for (auto& [name, term] : globals) {
        std::optional<TermRef> renamed = assign_letters(name, term, notes);
        if (!renamed) {
            out.code = "place";
            if (name.empty()) {
                out.say = "Place error.";
            } else {
                out.say = "Place error in function " + name + ".";
                out.vip = tip_text(name);
            }
            placed = false;
            break;
        }
        term = std::move(*renamed);
    }
    if (!log.empty()) append_to_log(log);
    return placed;
}

}  // namespace vesk
