#include "runtime/call.hpp"

#include "diagnostics/error_value.hpp"

namespace vesk {

TermRef Call::fail() const {
    return leaf_of(rt.leaves, CommonLeaf::Z);
}

TermRef Call::unit() const {
    return leaf_of(rt.leaves, CommonLeaf::I);
}

TermRef Call::truth(bool value) const {
    return leaf_of(rt.leaves, value ? CommonLeaf::K : CommonLeaf::H);
}

TermRef Call::error(const Outcome& out) const {
    return make_error_value(out);
}

}  // namespace vesk
