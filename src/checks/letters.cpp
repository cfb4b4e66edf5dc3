#include "checks/letters.hpp"

#include "checks/binders.hpp"
#include "checks/debug_log.hpp"
#include "checks/free_names.hpp"
#include "checks/walk.hpp"
#include "front/names.hpp"
#include "front/printer.hpp"
#include "front/tip_text.hpp"

namespace vesk {

// The walk that gathers a definition's names gathers these on the way.
BoundNames bound_names(const TermRef& term) {
    return term_facts(term).bound;
}

std::optional<LetterChoice> choose_letters(const BoundNames& names) {
    if (names.renamed.size() + names.letters.size() > 26) return std::nullopt;
    bool used[26] = {};
    for (const Bytes& letter : names.letters) used[letter[0] - 'a'] = true;
    LetterChoice chosen;
    chosen.reserve(names.renamed.size());
    int next = 0;
    for (const Bytes& name : names.renamed) {
        while (used[next]) ++next;
        used[next] = true;
        chosen.emplace_back(name, static_cast<char>('a' + next));
    }
    return chosen;
}

LetterLeaves letter_leaves(const LetterChoice& choice) {
    LetterLeaves letters;
    letters.leaves.reserve(choice.size());
    for (const auto& [name, letter] : choice) {
        letters.leaves.emplace_back(name, leaf_term(std::string_view(&letter, 1)));
    }
    return letters;
}

const TermRef* letter_of_text(const LetterLeaves& letters, std::string_view text) {
    for (const auto& [name, leaf] : letters.leaves) {
        if (name.size() == text.size() && name[0] == text[0] && name == text) return &leaf;
    }
    return nullptr;
}

const TermRef* letter_of_bracket_binder(const LetterLeaves& letters, const Term* pair) {
    // Asked of every pair a renaming walk meets: the rarest fact comes first.
    const Term* bound = right_cell(pair);
    if (!is_leaf_cell(bound) || first_byte(bound) != '[') return nullptr;
    const Term* head = left_cell(pair);
    if (!is_byte_leaf(head, '\\') && !is_byte_leaf(head, '{')) return nullptr;
    if (!is_name_binder(bound)) return nullptr;
    return letter_of_text(letters, bound_name(bound));
}

TermRef rename_to_letters(const TermRef& term, const LetterChoice& choice) {
    LetterLeaves letters = letter_leaves(choice);
    auto leaf_fn = [&](Term* leaf) {
        const TermRef* letter = letter_of_text(letters, leaf_view(leaf));
        return letter ? *letter : TermRef(leaf);
    };
    auto pair_fn = [&](Term* original, TermRef left, TermRef right) {
        if (const TermRef* letter = letter_of_bracket_binder(letters, original)) right = *letter;
        return keep_or_pair(original, std::move(left), std::move(right));
    };
    return rebuild_term(term, leaf_fn, pair_fn);
}

std::optional<LetterChoice> choose_letters_of(const Bytes& name, const TermRef& term,
                                              const BoundNames& names, Bytes* log) {
    if (names.renamed.empty()) return LetterChoice{};
    if (log != nullptr) *log += "First " + name + ": " + print_term(term) + "\n";
    return choose_letters(names);
}

std::optional<TermRef> assign_letters(const Bytes& name, const TermRef& term, Bytes* log) {
    std::optional<LetterChoice> choice = choose_letters_of(name, term, bound_names(term), log);
    if (!choice) return std::nullopt;
    if (choice->empty()) return term;
    return rename_to_letters(term, *choice);
}

// One append for the whole pass: a program of thousands of definitions would
// otherwise open and close the log thousands of times.
bool choose_all_letters(const GlobalTable& globals, std::vector<LetterChoice>& choices,
                        Outcome& out, const std::vector<BoundNames>* known) {
    Bytes log;
    Bytes* notes = debug_log_path() ? &log : nullptr;
    bool placed = true;
    choices.clear();
    for (const auto& [name, term] : globals) {
        std::optional<LetterChoice> choice =
            known ? choose_letters_of(name, term, (*known)[choices.size()], notes)
                  : choose_letters_of(name, term, bound_names(term), notes);
        if (!choice) {
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
        choices.push_back(std::move(*choice));
    }
    if (!log.empty()) append_to_log(log);
    return placed;
}

// Definitions before a failing one are renamed all the same.
bool check_letters(GlobalTable& globals, Outcome& out) {
    std::vector<LetterChoice> choices;
    bool placed = choose_all_letters(globals, choices, out);
    auto choice = choices.begin();
    for (auto& entry : globals) {
        if (choice == choices.end()) break;
        if (!choice->empty()) entry.second = rename_to_letters(entry.second, *choice);
        ++choice;
    }
    return placed;
}

}  // namespace vesk
