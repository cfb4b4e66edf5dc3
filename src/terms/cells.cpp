#include "terms/cells.hpp"

#include <cstdlib>

#include "terms/assert.hpp"

namespace vesk {

namespace {

// Size classes are multiples of 8 bytes up to kLargest; class i holds blocks
// of 8 * (i + 1) bytes. A free block stores the next free block of its class
// in its first word.
constexpr std::size_t kLargest = 256;
constexpr std::size_t kClasses = kLargest / 8;
constexpr std::size_t kChunk = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    FreeBlock* free_lists[kClasses] = {};
    char* chunk_cursor = nullptr;  // unused tail of the newest chunk
    std::size_t chunk_left = 0;
    CellCounts counts = {0, 0};
};

Pool& pool() {
    static Pool the_pool;
    return the_pool;
}

#ifndef VESK_PLAIN_ALLOC
void* carve(Pool& p, std::size_t rounded) {
    if (p.chunk_left < rounded) {
        // The tail of the old chunk is abandoned; it is smaller than one block.
        p.chunk_cursor = static_cast<char*>(std::malloc(kChunk));
        VESK_ASSERT(p.chunk_cursor != nullptr);
        p.chunk_left = kChunk;
    }
    void* block = p.chunk_cursor;
    p.chunk_cursor += rounded;
    p.chunk_left -= rounded;
    return block;
}
#endif

}  // namespace

void* allocate_cell(std::size_t bytes) {
    Pool& p = pool();
    p.counts.live++;
    p.counts.allocated++;
#ifdef VESK_PLAIN_ALLOC
    void* block = std::malloc(bytes);
    VESK_ASSERT(block != nullptr);
    return block;
#else
    std::size_t rounded = (bytes + 7) & ~std::size_t{7};
    if (rounded > kLargest) {
        void* block = std::malloc(bytes);
        VESK_ASSERT(block != nullptr);
        return block;
    }
    FreeBlock*& head = p.free_lists[rounded / 8 - 1];
    if (head != nullptr) {
        FreeBlock* block = head;
        head = block->next;
        return block;
    }
    return carve(p, rounded);
#endif
}

void free_cell(void* block, std::size_t bytes) {
    Pool& p = pool();
    VESK_ASSERT(p.counts.live > 0);
    p.counts.live--;
#ifdef VESK_PLAIN_ALLOC
    (void)bytes;
    std::free(block);
#else
    std::size_t rounded = (bytes + 7) & ~std::size_t{7};
    if (rounded > kLargest) {
        std::free(block);
        return;
    }
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    FreeBlock*& head = p.free_lists[rounded / 8 - 1];
    freed->next = head;
    head = freed;
#endif
}

CellCounts cell_counts() {
    return pool().counts;
}

}  // namespace vesk
