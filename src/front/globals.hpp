// The process-wide tables of global definitions. All are used by the single
// thread without locks and live until the next reset_globals.
#pragma once

#include <map>
#include <set>

#include "terms/term.hpp"

namespace vesk {

// Name -> definition. Holds the prelude, a template for every built-in, the
// program's definitions and its main expression under the empty name. The
// engine replaces entries in place when it caches constant values.
using GlobalTable = std::map<Bytes, TermRef>;
// Names whose last definition was written name()\body: never cached.
using UncachedNames = std::set<Bytes>;

GlobalTable& global_table();
UncachedNames& uncached_names();
// The copy of the global table taken right after the prelude is loaded.
GlobalTable& prelude_table();

}  // namespace vesk
