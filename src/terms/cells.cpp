#include "terms/cells.hpp"

#include <cstdlib>

#include "terms/out_of_memory.hpp"

namespace vesk::pool_detail {

namespace {

#ifndef VESK_PLAIN_ALLOC
constexpr std::size_t kChunk = 64 * 1024;

// A block of a small class whose free list is empty: the next `rounded`
// bytes of the newest chunk.
void* carve(Pool& p, std::size_t rounded) {
    if (p.chunk_left < rounded) {
        // The tail of the old chunk is abandoned; it is smaller than one block.
        p.chunk_cursor = static_cast<char*>(std::malloc(kChunk));
        if (p.chunk_cursor == nullptr) out_of_memory();
        p.chunk_left = kChunk;
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
