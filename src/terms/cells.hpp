// The one place cells are allocated. Small blocks come from per-size free
// lists carved out of 64 KiB chunks; large ones from malloc. Every block
// handed out is counted, so tests can check that a run frees what it made
// and benchmarks can report cells per step.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vesk {

// Returns `bytes` bytes of storage (8-aligned). Never fails but by aborting.
void* allocate_cell(std::size_t bytes);
// Gives back a block obtained from allocate_cell with the same size.
void free_cell(void* block, std::size_t bytes);

struct CellCounts {
    std::uint64_t live;       // blocks handed out and not yet given back
    std::uint64_t allocated;  // blocks handed out since the start
};
CellCounts cell_counts();

}  // namespace vesk
