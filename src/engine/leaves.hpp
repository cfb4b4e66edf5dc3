// The few one-byte leaves the machine and the built-ins build terms with:
// the prelude's combinators and the lambda binder. Each is made once, on
// first use, and shared by every term built from it; a name leaf's
// annotation depends on the global table, so the set is dropped with the
// built-in table at every global reset and made afresh afterwards.
#pragma once

#include "terms/term.hpp"

namespace vesk {

enum class CommonLeaf : unsigned char { B, H, I, J, K, T, V, X, Z, lambda, count };

// The shared leaf (borrowed; it lives until the next drop).
const TermRef& common_leaf(CommonLeaf which);
// A new handle on the shared leaf.
inline TermRef leaf_of(CommonLeaf which) {
    return common_leaf(which);
}
// One more owner of the shared leaf, annotated (for building annotated
// cells; the leaf's name must be a global by now).
Term* annotated_leaf(CommonLeaf which);
// Forgets every shared leaf; the next request makes a new one.
void drop_common_leaves();

}  // namespace vesk
