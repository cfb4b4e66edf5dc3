// Pruning: unreachable definitions that could never work are taken away
// before they are prepared for the engine.
#pragma once

#include <set>

#include "checks/free_names.hpp"
#include "runtime/globals.hpp"

namespace vesk {

// The globals of `globals` that use a name it lacks, and, repeatedly, every
// global that uses one of those.
std::set<Bytes, std::less<>> broken_globals(const GlobalTable& globals);
// The same with the free names of the definitions already at hand.
std::set<Bytes, std::less<>> broken_globals(const GlobalTable& globals, const NameUses& uses);

// Restores each broken global from `prelude` where the prelude defines it and
// removes it otherwise. Its name leaves `uncached` either way: a restored
// prelude definition is plain, and a removed one no longer exists. Whatever
// is still broken after that (a prelude definition whose built-in is
// missing) is removed, so no remaining global uses a missing name.
void prune_broken(GlobalTable& globals, const GlobalTable& prelude, UncachedNames& uncached);
// The same with the free names of the definitions already at hand
// (consumed: kept up to date while globals are restored and removed).
// Whether any global was broken.
bool prune_broken(GlobalTable& globals, NameUses uses, const GlobalTable& prelude,
                  UncachedNames& uncached);

}  // namespace vesk
