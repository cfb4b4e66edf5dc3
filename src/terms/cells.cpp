#include "terms/cells.hpp"

#include <sys/mman.h>

#include <cstdlib>

#include "terms/out_of_memory.hpp"

namespace vesk::pool_detail {

namespace {

#ifndef VESK_PLAIN_ALLOC
constexpr std::size_t kChunk = 64 * 1024;
// Once a run has used 2 MiB of cells it is a large one (a big program or a
// big heap): later chunks are 2 MiB, aligned and offered to the kernel as
// one huge page each, which takes one page fault where 512 small pages take
// 512. A small run never gets one.
constexpr std::size_t kHugeChunk = 2 * 1024 * 1024;
constexpr std::size_t kSmallChunks = kHugeChunk / kChunk;

char* new_chunk(Pool& p) {
    bool huge = p.chunks++ >= kSmallChunks;
    std::size_t size = huge ? kHugeChunk : kChunk;
    void* chunk = huge ? std::aligned_alloc(kHugeChunk, kHugeChunk) : std::malloc(kChunk);
    if (chunk == nullptr) out_of_memory();
#ifdef MADV_HUGEPAGE
    if (huge) madvise(chunk, kHugeChunk, MADV_HUGEPAGE);  // advice: failure is harmless
#endif
    p.chunk_left = size;
    return static_cast<char*>(chunk);
}

// A block of a small class whose free list is empty: the next `rounded`
// bytes of the newest chunk.
void* carve(Pool& p, std::size_t rounded) {
    if (p.chunk_left < rounded) {
        // The tail of the old chunk is abandoned; it is smaller than one block.
        p.chunk_cursor = new_chunk(p);
    }
    void* block = p.chunk_cursor;
    p.chunk_cursor += rounded;
    p.chunk_left -= rounded;
    return block;
}
#endif

}  // namespace

void* allocate_slow(std::size_t bytes) {
#ifndef VESK_PLAIN_ALLOC
    std::size_t rounded = rounded_size(bytes);
    if (rounded <= kLargest) return carve(the_pool, rounded);
#endif
    // Rounded here too, so that a block is whole words in every build.
    void* block = std::malloc(rounded_size(bytes));
    if (block == nullptr) out_of_memory();
    return block;
}

// Only large blocks (or every block under VESK_PLAIN_ALLOC) come here.
void free_slow(void* block, std::size_t) {
    std::free(block);
}

}  // namespace vesk::pool_detail
