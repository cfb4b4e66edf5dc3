// Letter assignment: the engine knows only the variables a to z, so every
// bound name longer than one lower-case letter is renamed to a free letter.
#pragma once

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"

namespace vesk {

// The distinct names bound by the lambdas and lets of a term, in the order
// they are first met (left part first, a binder before its body). The walk
// stops at the 27th distinct name: by then the names cannot fit.
struct BoundNames {
    std::vector<Bytes> renamed;  // every bound name that is not one letter a-z
    std::vector<Bytes> letters;  // the bound names that are one letter a-z
};
BoundNames bound_names(const TermRef& term);

// Each name to rename with its letter, in the order the names were met.
using LetterChoice = std::vector<std::pair<Bytes, char>>;

// In list order, the first letter from a to z that neither the term binds
// already nor an earlier name got. Nothing when the names need more than 26
// letters in all.
std::optional<LetterChoice> choose_letters(const BoundNames& names);

// The leaves a choice puts in, one per letter, shared by every place that
// gets it. A choice has at most 26 names, so a lookup is a scan that tests
// the length and first byte first: quicker than a tree of strings.
struct LetterLeaves {
    std::vector<std::pair<std::string_view, TermRef>> leaves;  // views into the choice
};
// The leaves of `choice` (borrowed: it must outlive them).
LetterLeaves letter_leaves(const LetterChoice& choice);
// The letter for a leaf whose text is a renamed name, or null.
const TermRef* letter_of_text(const LetterLeaves& letters, std::string_view text);
// The letter for the bound part of the binder head `pair`, (\ x) or ({ x),
// when that part is a bracketed name such as "[+]" that binds a renamed "+";
// null otherwise. A plain name binder is a leaf, renamed by the leaf rule.
const TermRef* letter_of_bracket_binder(const LetterLeaves& letters, const Term* pair);

// `term` (borrowed) with each name of `choice` replaced by its letter: in
// the bound part of every lambda or let that binds it, and in every leaf
// whose text is it, bound or not.
[[nodiscard]] TermRef rename_to_letters(const TermRef& term, const LetterChoice& choice);

// The choice for the definition `name` (its term borrowed), which binds
// `names`, or nothing when those are more than 26. When anything is to be renamed,
// first adds the line "First " name ": " printed term to `log` (null when
// the debug log is off: printing a large program's definitions is about a
// ninth of its start-up).
[[nodiscard]] std::optional<LetterChoice> choose_letters_of(const Bytes& name, const TermRef& term,
                                                            const BoundNames& names, Bytes* log);
// The definition with its bound names renamed, or nothing as above.
[[nodiscard]] std::optional<TermRef> assign_letters(const Bytes& name, const TermRef& term,
                                                    Bytes* log);

// The choice of every definition, in name order (empty for those that keep
// their names), from its bound names in `known` (in that order too) when a
// walk has found them already; on the first one with too many names fills `out` with the
// "place" error and returns false. The lines of choose_letters_of go to the
// debug log in one append when the pass ends, whether it fails or not.
[[nodiscard]] bool choose_all_letters(const GlobalTable& globals,
                                      std::vector<LetterChoice>& choices, Outcome& out,
                                      const std::vector<BoundNames>* known = nullptr);
// The same, renaming each definition by its choice.
[[nodiscard]] bool check_letters(GlobalTable& globals, Outcome& out);

}  // namespace vesk
