#include "engine/leaves.hpp"

#include <array>
#include <optional>

#include "engine/annotate.hpp"

namespace vesk {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(CommonLeaf::count);
constexpr std::array<const char*, kCount> kTexts = {"B", "H", "I", "J", "K",
                                                    "T", "V", "X", "Z", "\\"};

std::array<std::optional<TermRef>, kCount>& slots() {
    static std::array<std::optional<TermRef>, kCount> the_slots;
    return the_slots;
}

}  // namespace

const TermRef& common_leaf(CommonLeaf which) {
    auto index = static_cast<std::size_t>(which);
    VESK_ASSERT(index < kCount);
    std::optional<TermRef>& slot = slots()[index];
    if (!slot) [[unlikely]]
        slot.emplace(kTexts[index]);
    return *slot;
}

Term* annotated_leaf(CommonLeaf which) {
    Term* t = common_leaf(which).cell;
    ensure_annotated(t);
    retain(t);
    return t;
}

void drop_common_leaves() {
    for (std::optional<TermRef>& slot : slots()) slot.reset();
}

}  // namespace vesk
