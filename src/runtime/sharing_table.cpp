#include "runtime/sharing_table.hpp"

#include <sys/mman.h>

#include <cstdlib>

#include "terms/out_of_memory.hpp"

namespace vesk {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t whole_huge_pages(std::size_t bytes) {
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

}  // namespace

void* allocate_slot_array(std::size_t bytes) {
    if (bytes < kHugePage) {
        void* array = std::malloc(bytes);
        if (array == nullptr) out_of_memory();
        return array;
    }
    std::size_t size = whole_huge_pages(bytes);
    void* array = std::aligned_alloc(kHugePage, size);
    if (array == nullptr) out_of_memory();
#ifdef MADV_HUGEPAGE
    madvise(array, size, MADV_HUGEPAGE);  // advice: failure is harmless
#endif
    return array;
}

void free_slot_array(void* array, std::size_t) {
    std::free(array);
}

}  // namespace vesk
