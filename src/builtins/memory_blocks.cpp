// The C allocation and block functions. Every block malloc, calloc or
// realloc hands out is entered into the run's host resources, so that what
// a program forgets to free goes back when the run ends, and so that free
// and realloc can refuse an address the run never handed out (or has
// already given back) instead of corrupting the C heap.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

// No request above this many bytes (1 TiB) is passed on: none can be had,
// and the answer is 0 at once (the sanitizers' allocators would stop the
// process instead of answering).
constexpr std::size_t kMaxBlockBytes = std::size_t{1} << 40;

// A block of n bytes, or null without asking for one past the limit.
void* new_block(std::size_t n) {
    return n > kMaxBlockBytes ? nullptr : std::malloc(n);
}

TermRef noted_block(Call& c, void* block, std::size_t size) {
    SavedErrno saved;
    note_block(c.rt.host, block, size);
    saved.restore();
    return pointer_result(block);
}

TermRef malloc_handler(Call& c) {
    std::optional<std::size_t> n = count_arg(c, 0);
    if (!n) return c.fail();
    return noted_block(c, new_block(*n), *n);
}

TermRef calloc_handler(Call& c) {
    std::optional<std::size_t> n = count_arg(c, 0), size = count_arg(c, 1);
    if (!n || !size) return c.fail();
    if (*size != 0 && *n > kMaxBlockBytes / *size) return pointer_result(nullptr);
    return noted_block(c, std::calloc(*n, *size), *n * *size);
}

// realloc of 0 allocates; of a block this run holds resizes it; of any
// other address "Z". The run knows each block's size, so the resize is a
// new block, the old contents copied (as far as both reach) and the old
// block freed, which keeps the old block valid when the new one cannot be
// had. A size of 0 frees the block and gives 0, as the C library here does.
TermRef realloc_handler(Call& c) {
    std::optional<void*> old = raw_address(c.args[0]);
    std::optional<std::size_t> n = count_arg(c, 1);
    if (!old || !n) return c.fail();
    if (*old == nullptr) return noted_block(c, new_block(*n), *n);
    auto entry = c.rt.host.blocks.find(*old);
    if (entry == c.rt.host.blocks.end()) return c.fail();
    std::size_t old_size = entry->second;
    if (*n == 0) {
        (void)free_block(c.rt.host, *old);
        return pointer_result(nullptr);
    }
    void* block = new_block(*n);
    if (block == nullptr) return pointer_result(nullptr);  // the old block stays
    std::memcpy(block, *old, std::min(old_size, *n));
    (void)free_block(c.rt.host, *old);
    return noted_block(c, block, *n);
}

// free of 0 does nothing; of an address the run does not hold, "Z".
TermRef free_handler(Call& c) {
    std::optional<void*> block = raw_address(c.args[0]);
    if (!block) return c.fail();
    if (*block == nullptr) return c.unit();
    if (!free_block(c.rt.host, *block)) return c.fail();
    return c.unit();
}

// The block functions touch only bytes raw_ranges.hpp allows: an address
// that is bad for the whole count gives "Z" and nothing is called. A count
// of 0 touches nothing, and the C function is not called (it may not be
// given a null pointer even then): the result is what it would give.
bool can_read(const Call& c, const void* at, std::size_t n) {
    return range_allowed(c.rt.host, at, n, Access::read);
}
bool can_write(const Call& c, void* at, std::size_t n) {
    return range_allowed(c.rt.host, at, n, Access::write);
}

TermRef memchr_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]);
    std::optional<std::int64_t> ch = int_arg(c, 1);
    std::optional<std::size_t> n = count_arg(c, 2);
    if (!p || !ch || !n || !can_read(c, *p, *n)) return c.fail();
    if (*n == 0) return pointer_result(nullptr);
    return pointer_result(std::memchr(*p, static_cast<int>(*ch), *n));
}

TermRef memcmp_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]), q = raw_address(c.args[1]);
    std::optional<std::size_t> n = count_arg(c, 2);
    if (!p || !q || !n || !can_read(c, *p, *n) || !can_read(c, *q, *n)) return c.fail();
    if (*n == 0) return integer_result(0);
    return integer_result(std::memcmp(*p, *q, *n));
}

// memcpy and memmove: both return the destination. Blocks that overlap are
// copied as memmove copies them, so memcpy never meets its undefined case.
TermRef copy_block(Call& c) {
    std::optional<void*> dst = raw_address(c.args[0]), src = raw_address(c.args[1]);
    std::optional<std::size_t> n = count_arg(c, 2);
    if (!dst || !src || !n || !can_write(c, *dst, *n) || !can_read(c, *src, *n)) return c.fail();
    if (*n > 0) std::memmove(*dst, *src, *n);
    return pointer_result(*dst);
}

TermRef memset_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]);
    std::optional<std::int64_t> ch = int_arg(c, 1);
    std::optional<std::size_t> n = count_arg(c, 2);
    if (!p || !ch || !n || !can_write(c, *p, *n)) return c.fail();
    if (*n > 0) std::memset(*p, static_cast<int>(*ch), *n);
    return pointer_result(*p);
}

TermRef bzero_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]);
    std::optional<std::size_t> n = count_arg(c, 1);
    if (!p || !n || !can_write(c, *p, *n)) return c.fail();
    if (*n > 0) std::memset(*p, 0, *n);
    return c.unit();
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kBlocksRows[] = {
    {"malloc", 1, kHost, malloc_handler},
    {"calloc", 2, kHost, calloc_handler},
    {"realloc", 2, kHost, realloc_handler},
    {"free", 1, kHost, free_handler},
    {"memchr", 3, kHost, memchr_handler},
    {"memcmp", 3, kHost, memcmp_handler},
    {"memcpy", 3, kHost, copy_block},
    {"memmove", 3, kHost, copy_block},
    {"memset", 3, kHost, memset_handler},
    {"bzero", 2, kHost, bzero_handler},
};

}  // namespace

const BuiltinFamily kBlocksFamily = {"blocks", kBlocksRows};

}  // namespace vesk
