// The storage of the sharing table (the checks' sharing pass works it).
//
// Open addressing with linear probing over a power-of-two array of
// (hash, cell) slots, at most half full. A program has hundreds of thousands
// of subterms: one flat array keeps that to 16 bytes an entry and no
// allocation per entry. Each occupied slot owns one reference to its cell.
#pragma once

#include <cstdint>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

struct SharingSlot {
    std::uint64_t hash;
    Term* cell;  // null for an empty slot
};

struct SharingTable {
    std::vector<SharingSlot> slots;
    std::size_t used = 0;

    SharingTable() = default;
    SharingTable(const SharingTable&) = delete;
    SharingTable& operator=(const SharingTable&) = delete;
    ~SharingTable() {
        for (const SharingSlot& slot : slots) {
            if (slot.cell != nullptr) release(slot.cell);
        }
    }
};

}  // namespace vesk
