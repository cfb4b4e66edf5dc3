// The runtime's shared one-byte leaves, annotated for building annotated
// cells with.
#pragma once

#include "runtime/runtime.hpp"

namespace vesk {

// One more owner of the shared leaf, annotated against the runtime's globals
// (the leaf's name must be a global by now).
[[nodiscard]] Term* annotated_leaf(Runtime& rt, CommonLeaf which);

}  // namespace vesk
