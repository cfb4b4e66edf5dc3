// The one place cells are allocated. Small blocks come from per-size free
// lists carved out of 64 KiB chunks; large ones from malloc. Every block
// handed out is counted, so tests can check that a run frees what it made
// and benchmarks can report cells per step.
//
// Taking a block from a non-empty free list and giving one back are the
// machine's commonest operations, so those two paths are inline here; the
// rest (carving a chunk, large blocks) is out of line in cells.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "terms/assert.hpp"

namespace vesk {

struct CellCounts {
    std::uint64_t live;       // blocks handed out and not yet given back
    std::uint64_t allocated;  // blocks handed out since the start
};

namespace pool_detail {

// Size classes are multiples of 8 bytes up to kLargest; class i holds blocks
// of 8 * (i + 1) bytes. A free block stores the next free block of its class
// in its first word.
inline constexpr std::size_t kLargest = 256;
inline constexpr std::size_t kClasses = kLargest / 8;

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    FreeBlock* free_lists[kClasses] = {};
    char* chunk_cursor = nullptr;  // unused tail of the newest chunk
    std::size_t chunk_left = 0;
    std::size_t chunks = 0;  // chunks carved so far
    CellCounts counts = {0, 0};
};

// One pool for the process (which has one thread). Constant-initialised, so
// it exists before any static constructor allocates and is never destroyed.
inline constinit Pool the_pool;

// The paths that are not a free-list push or pop (counts already taken).
void* allocate_slow(std::size_t bytes);
void free_slow(void* block, std::size_t bytes);

inline std::size_t rounded_size(std::size_t bytes) {
    return (bytes + 7) & ~std::size_t{7};
}

}  // namespace pool_detail

// Returns storage for `bytes` bytes, 8-aligned and rounded up to whole
// 8-byte words, all of which the caller may read. When the host has no more
// memory the run ends through out_of_memory (terms/out_of_memory.hpp).
inline void* allocate_cell(std::size_t bytes) {
    using namespace pool_detail;
    the_pool.counts.live++;
    the_pool.counts.allocated++;
#ifndef VESK_PLAIN_ALLOC
    std::size_t rounded = rounded_size(bytes);
    if (rounded <= kLargest) {
        FreeBlock*& head = the_pool.free_lists[rounded / 8 - 1];
        if (FreeBlock* block = head; block != nullptr) {
            head = block->next;
            return block;
        }
    }
#endif
    return allocate_slow(bytes);
}

// Gives back a block obtained from allocate_cell with the same size.
inline void free_cell(void* block, std::size_t bytes) {
    using namespace pool_detail;
    VESK_ASSERT(the_pool.counts.live > 0);
    the_pool.counts.live--;
#ifndef VESK_PLAIN_ALLOC
    std::size_t rounded = rounded_size(bytes);
    if (rounded <= kLargest) {
        FreeBlock* freed = static_cast<FreeBlock*>(block);
        FreeBlock*& head = the_pool.free_lists[rounded / 8 - 1];
        freed->next = head;
        head = freed;
        return;
    }
#endif
    free_slow(block, bytes);
}

inline CellCounts cell_counts() {
    return pool_detail::the_pool.counts;
}

}  // namespace vesk
