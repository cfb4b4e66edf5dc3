// Letter assignment: the engine knows only the variables a to z, so every
// bound name longer than one lower-case letter is renamed to a free letter.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"

namespace vesk {

// The distinct names bound by the lambdas and lets of a term, in the order
// they are first met (left part first, a binder before its body).
struct BoundNames {
    std::vector<Bytes> renamed;  // every bound name that is not one letter a-z
    std::vector<Bytes> letters;  // the bound names that are one letter a-z
};
BoundNames bound_names(const TermRef& term);

// Each name to rename with its letter: in list order, the first letter from
// a to z that neither the term binds already nor an earlier name got.
// Nothing when the names need more than 26 letters in all.
std::optional<std::map<Bytes, char, std::less<>>> choose_letters(const BoundNames& names);

// `term` (borrowed) with each name of `letters` replaced by its letter:
// in the bound part of every lambda or let that binds it, and in every leaf
// whose text is it, bound or not.
[[nodiscard]] TermRef rename_to_letters(const TermRef& term,
                                        const std::map<Bytes, char, std::less<>>& letters);

// The definition `name` with its bound names (of `term`, borrowed) renamed,
// or nothing when it binds more than 26 distinct names. When anything is to
// be renamed, first adds the line "First " name ": " printed term to `log`
// (null when the debug log is off: printing a large program's definitions
// is about a ninth of its start-up).
[[nodiscard]] std::optional<TermRef> assign_letters(const Bytes& name, const TermRef& term,
                                                    Bytes* log);

// Renames in every definition in name order; on the first one with too many
// names fills `out` with the "place" error and returns false. The lines of
// assign_letters go to the debug log in one append when the pass ends,
// whether it fails or not.
[[nodiscard]] bool check_letters(GlobalTable& globals, Outcome& out);

}  // namespace vesk
