// The storage of the sharing table (the checks' sharing pass works it).
//
// Open addressing with linear probing over a power-of-two array of
// (hash, cell) slots, at most half full. A program has hundreds of thousands
// of subterms: one flat array keeps that to 16 bytes an entry and no
// allocation per entry. Each occupied slot owns one reference to its cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

struct SharingSlot {
    std::uint64_t hash;
    Term* cell;  // null for an empty slot
};

// Storage for slot arrays. An array of 2 MiB or more (a program of some
// hundred thousand distinct subterms) is aligned to 2 MiB and offered to the
// kernel as huge pages: its first touch then takes a page fault per 2 MiB
// instead of one per 4 KiB, and each growth touches a fresh array.
void* allocate_slot_array(std::size_t bytes);
void free_slot_array(void* array, std::size_t bytes);

template <typename T>
struct SlotArrayAllocator {
    using value_type = T;
    SlotArrayAllocator() = default;
    template <typename U>
    SlotArrayAllocator(const SlotArrayAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocate_slot_array(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { free_slot_array(p, n * sizeof(T)); }
    template <typename U>
    bool operator==(const SlotArrayAllocator<U>&) const {
        return true;
    }
};

using SharingSlots = std::vector<SharingSlot, SlotArrayAllocator<SharingSlot>>;

struct SharingTable {
    SharingSlots slots;
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
