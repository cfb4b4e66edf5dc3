// The names a term uses that no binder inside the term binds: what a
// definition needs from the global table.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "checks/letters.hpp"
#include "runtime/globals.hpp"
#include "terms/term.hpp"

namespace vesk {

// A set of names, as a list in byte order without repeats: a definition's
// names cost one block, where a tree of strings costs one per name.
using NameList = std::vector<Bytes>;

// The free names of `term` (borrowed), as a set of texts. A lambda ((\ x) b)
// contributes the names of b other than x; a let ((({ x) v) r) those of v
// and those of r other than x; any other pair those of both children; a leaf
// its own text when that is a name leaf other than "{" and "\" (the empty
// leaf "}" counts). A binder whose bound part is not a name binds nothing
// and is read as plain application. Bracketed binders such as "[+]" bind
// the bare character "+".
NameList free_name_set(const TermRef& term);

// What one walk of a definition tells three checks at once. The walk meets
// the cells in the order each of those checks reads them (left part first,
// a binder's value before its body), so its first funky binder is the one
// funky_binder finds and its bound names come in the order bound_names
// gives.
struct TermFacts {
    std::optional<TermRef> funky;  // the first binder that binds no name
    NameList free;                 // free_name_set
    BoundNames bound;              // bound_names
};
[[nodiscard]] TermFacts term_facts(const TermRef& term);
// The facts of every definition of a table, in table order, read by one walk
// that keeps its room from one definition to the next.
[[nodiscard]] std::vector<TermFacts> all_term_facts(const GlobalTable& definitions);

// The same as a name list term: the leaf "()" is the empty list and the pair
// (x rest) a list whose first element is the leaf x. Elements are in byte
// order. `term` is borrowed.
[[nodiscard]] TermRef free_names(const TermRef& term);

// The free names of every definition of a table, by definition name: what
// reachability and pruning both follow, computed once for the two.
using NameUses = std::map<Bytes, NameList, std::less<>>;
NameUses free_names_of(const GlobalTable& definitions);

// The name list of `names` (borrowed).
[[nodiscard]] TermRef name_list(const NameList& names);

}  // namespace vesk
