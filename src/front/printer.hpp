// The term printer: compact, source-like text of a term.
//
// Leaves print as their text, except: the empty text and texts beginning
// with ')' or ']' print "()"; a raw leaf prints "real[" its double in %e
// "]"; a counted leaf prints "cape[" its payload "]" with newline, '[' and
// ']' written "[p]", "[q]" and "[r]". A pair (L R) prints L's text and R's
// text side by side when they cannot run together into a different atom
// ("Sx", "g1", "g[1]"), and otherwise as "(L R)"; left-nested applications
// flatten into one list: ((g x) y) prints "(g x y)".
#pragma once

#include "terms/term.hpp"

namespace vesk {

// Text of the term (borrowed). Never truncates. Works without recursion, so
// terms of any depth print; a term that shares subterms prints each use in
// full.
Bytes print_term(const TermRef& t);

}  // namespace vesk
