// The tables of global definitions. Maps keyed by a name take any byte
// view for a look-up (a transparent comparator), so that finding a leaf's
// name never copies it.
#pragma once

#include <functional>
#include <map>
#include <set>

#include "terms/term.hpp"

namespace vesk {

// Name -> definition.
using GlobalTable = std::map<Bytes, TermRef, std::less<>>;
// A set of names.
using UncachedNames = std::set<Bytes, std::less<>>;

}  // namespace vesk
