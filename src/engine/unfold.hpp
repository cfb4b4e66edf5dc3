// One-level unfolding of literal leaves, used when the engine applies a literal.
#pragma once

#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// First list element of a number-leaf text: K or H.
TermRef number_tag(std::string_view text);
// The same list without its first element: K or a number leaf.
TermRef number_payload(std::string_view text);
// A counted leaf's tree (borrowed): Z, a byte tree, or V of two counted leaves.
TermRef counted_unfold(const TermRef& counted);
// The depth-6 V tree of a raw leaf's 64 bits (borrowed).
TermRef real_tree(const TermRef& raw);
// Bracket data (borrowed): all but the last element, the last element, the J list.
TermRef bracket_init(const TermRef& data);
TermRef bracket_last(const TermRef& data);
TermRef bracket_list(const TermRef& data);
// True for the bracket leaf "[]" exactly (data asserted).
bool is_empty_bracket(const TermRef& data);

}  // namespace vesk
