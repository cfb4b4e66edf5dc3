// Pruning: unreachable definitions that could never work are taken away
// before they are prepared for the engine.
#pragma once

#include <set>

#include "front/globals.hpp"

namespace vesk {

// The globals of `globals` that use a name it lacks, and, repeatedly, every
// global that uses one of those.
std::set<Bytes> broken_globals(const GlobalTable& globals);

// Restores each broken global from `prelude` where the prelude defines it and
// removes it otherwise. Its name leaves `uncached` either way: a restored
// prelude definition is plain, and a removed one no longer exists. Whatever
// is still broken after that (a prelude definition whose built-in is
// missing) is removed, so no remaining global uses a missing name.
void prune_broken(GlobalTable& globals, const GlobalTable& prelude, UncachedNames& uncached);

}  // namespace vesk
