#include "runtime/common_leaves.hpp"

namespace vesk {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(CommonLeaf::count);
constexpr std::array<const char*, kCount> kTexts = {"B", "H", "I", "J", "K",
                                                    "T", "V", "X", "Z", "\\"};

}  // namespace

const TermRef& common_leaf(CommonLeaves& leaves, CommonLeaf which) {
    auto index = static_cast<std::size_t>(which);
    VESK_ASSERT(index < kCount);
    std::optional<TermRef>& slot = leaves.slots[index];
    if (!slot) [[unlikely]]
        slot.emplace(kTexts[index]);
    return *slot;
}

}  // namespace vesk
