// The C allocation and block functions. Every block malloc, calloc or
// realloc hands out is entered into the run's host resources, so that what
// a program forgets to free goes back when the run ends, and so that free
// and realloc can refuse an address the run never handed out (or has
// already given back) instead of corrupting the C heap. The block functions
// trust their addresses and counts.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

std::size_t as_size(std::int64_t n) {
    return static_cast<std::size_t>(n);
}

TermRef noted_block(Call& c, void* block, std::size_t size) {
    SavedErrno saved;
    note_block(c.rt.host, block, size);
    saved.restore();
    return pointer_result(block);
}

TermRef malloc_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n) return c.fail();
    return noted_block(c, std::malloc(as_size(*n)), as_size(*n));
}

TermRef calloc_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0), size = int_arg(c, 1);
    if (!n || !size) return c.fail();
    void* block = std::calloc(as_size(*n), as_size(*size));
    return noted_block(c, block, as_size(*n) * as_size(*size));
}

// realloc of 0 allocates; of a block this run holds resizes it; of any
// other address "Z". The run knows each block's size, so the resize is a
// new block, the old contents copied (as far as both reach) and the old
// block freed, which keeps the old block valid when the new one cannot be
// had. A size of 0 frees the block and gives 0, as the C library here does.
TermRef realloc_handler(Call& c) {
    std::optional<void*> old = raw_address(c.args[0]);
    std::optional<std::int64_t> n = int_arg(c, 1);
    if (!old || !n) return c.fail();
    if (*old == nullptr) return noted_block(c, std::malloc(as_size(*n)), as_size(*n));
    auto entry = c.rt.host.blocks.find(*old);
    if (entry == c.rt.host.blocks.end()) return c.fail();
    std::size_t old_size = entry->second;
    if (*n == 0) {
        c.rt.host.blocks.erase(entry);
        std::free(*old);
        return pointer_result(nullptr);
    }
    void* block = std::malloc(as_size(*n));
    if (block == nullptr) return pointer_result(nullptr);  // the old block stays
    std::memcpy(block, *old, std::min(old_size, as_size(*n)));
    c.rt.host.blocks.erase(entry);
    std::free(*old);
    return noted_block(c, block, as_size(*n));
}

// free of 0 does nothing; of an address the run does not hold, "Z".
TermRef free_handler(Call& c) {
    std::optional<void*> block = raw_address(c.args[0]);
    if (!block) return c.fail();
    if (*block == nullptr) return c.unit();
    if (!forget_block(c.rt.host, *block)) return c.fail();
    std::free(*block);
    return c.unit();
}

TermRef memchr_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]);
    std::optional<std::int64_t> ch = int_arg(c, 1), n = int_arg(c, 2);
    if (!p || !ch || !n) return c.fail();
    return pointer_result(std::memchr(*p, static_cast<int>(*ch), as_size(*n)));
}

TermRef memcmp_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]), q = raw_address(c.args[1]);
    std::optional<std::int64_t> n = int_arg(c, 2);
    if (!p || !q || !n) return c.fail();
    return integer_result(std::memcmp(*p, *q, as_size(*n)));
}

// memcpy (overlap false) and memmove (true): both return the destination.
TermRef copy_block(Call& c, bool overlap) {
    std::optional<void*> dst = raw_address(c.args[0]), src = raw_address(c.args[1]);
    std::optional<std::int64_t> n = int_arg(c, 2);
    if (!dst || !src || !n) return c.fail();
    void* r = overlap ? std::memmove(*dst, *src, as_size(*n)) : std::memcpy(*dst, *src, as_size(*n));
    return pointer_result(r);
}

TermRef memset_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]);
    std::optional<std::int64_t> ch = int_arg(c, 1), n = int_arg(c, 2);
    if (!p || !ch || !n) return c.fail();
    return pointer_result(std::memset(*p, static_cast<int>(*ch), as_size(*n)));
}

TermRef bzero_handler(Call& c) {
    std::optional<void*> p = raw_address(c.args[0]);
    std::optional<std::int64_t> n = int_arg(c, 1);
    if (!p || !n) return c.fail();
    std::memset(*p, 0, as_size(*n));
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
    {"memcpy", 3, kHost, [](Call& c) { return copy_block(c, false); }},
    {"memmove", 3, kHost, [](Call& c) { return copy_block(c, true); }},
    {"memset", 3, kHost, memset_handler},
    {"bzero", 2, kHost, bzero_handler},
};

}  // namespace

const BuiltinFamily kBlocksFamily = {"blocks", kBlocksRows};

}  // namespace vesk
