// The few one-byte leaves the machine and the built-ins build terms with:
// the prelude's combinators and the lambda binder. A runtime makes each once,
// on first use, and shares it with every term built from it. A name leaf's
// annotation depends on the runtime's globals, so the leaves belong to the
// runtime and go with it.
#pragma once

#include <array>
#include <optional>

#include "terms/term.hpp"

namespace vesk {

enum class CommonLeaf : unsigned char { B, H, I, J, K, T, V, X, Z, lambda, count };

struct CommonLeaves {
    std::array<std::optional<TermRef>, static_cast<std::size_t>(CommonLeaf::count)> slots;
};

// The shared leaf (borrowed; it lives as long as `leaves`).
const TermRef& common_leaf(CommonLeaves& leaves, CommonLeaf which);
// A new handle on the shared leaf.
[[nodiscard]] inline TermRef leaf_of(CommonLeaves& leaves, CommonLeaf which) {
    return common_leaf(leaves, which);
}

}  // namespace vesk
