#include "engine/leaves.hpp"

#include "engine/annotate.hpp"

namespace vesk {

Term* annotated_leaf(Runtime& rt, CommonLeaf which) {
    Term* t = common_leaf(rt.leaves, which).cell;
    ensure_annotated(rt.globals, t);
    retain(t);
    return t;
}

}  // namespace vesk
