#include "builtins/raw_ranges.hpp"

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace vesk {

namespace {

std::uintptr_t page_size() {
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    return page;
}

std::uintptr_t address_of(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p);
}

// The entry of `table` (start -> size) whose range holds `at`, or end.
template <typename Table>
typename Table::const_iterator holder(const Table& table, std::uintptr_t at) {
    auto it = table.upper_bound(reinterpret_cast<void*>(at));
    if (it == table.begin()) return table.end();
    --it;
    return at < address_of(it->first) + it->second ? it : table.end();
}

// True when some entry of `table` starts inside [from, to).
template <typename Table>
bool starts_within(const Table& table, std::uintptr_t from, std::uintptr_t to) {
    auto it = table.upper_bound(reinterpret_cast<void*>(from));
    return it != table.end() && address_of(it->first) < to;
}

// Under AddressSanitizer its shadow memory is mapped and readable, yet no
// byte of it is the program's, and the sanitizer's own checks of a C call
// given such an address would fault: it is refused like unmapped memory.
bool sanitizer_shadow(std::uintptr_t from, std::uintptr_t to) {
#if defined(__SANITIZE_ADDRESS__)
    constexpr std::uintptr_t kShadowFrom = 0x00007fff8000u, kShadowTo = 0x10007fff8000u;
    return from < kShadowTo && to > kShadowFrom;
#else
    (void)from;
    (void)to;
    return false;
#endif
}

bool pages_readable(std::uintptr_t from, std::uintptr_t to) {
    if (sanitizer_shadow(from, to)) return false;
    for (std::uintptr_t at = from; at < to; at = (at / page_size() + 1) * page_size()) {
        if (!kernel_can_read(at)) return false;
    }
    return true;
}

}  // namespace

bool kernel_can_read(std::uintptr_t at) {
    char byte;
    iovec local{&byte, 1};
    iovec remote{reinterpret_cast<void*>(at), 1};
    if (process_vm_readv(getpid(), &local, 1, &remote, 1, 0) == 1) return true;
    return errno != EFAULT;
}

bool range_allowed(const HostResources& host, const void* at, std::size_t size, Access access) {
    if (size == 0) return true;
    std::uintptr_t from = address_of(at);
    std::uintptr_t to = from + size;
    if (from == 0 || to < from) return false;
    auto block = holder(host.blocks, from);
    if (block != host.blocks.end()) return to <= address_of(block->first) + block->second;
    if (access == Access::write) {
        auto record = holder(host.library_records, from);
        return record != host.library_records.end() &&
               to <= address_of(record->first) + record->second;
    }
    if (starts_within(host.blocks, from, to)) return false;
    if (holder(host.freed, from) != host.freed.end() || starts_within(host.freed, from, to)) {
        return false;
    }
    return pages_readable(from, to);
}

std::optional<std::size_t> text_length(const HostResources& host, const char* at,
                                       std::size_t limit, Access access) {
    // Stretch by stretch, each inside one page and on one side of a block
    // edge: each is allowed first, then searched.
    std::size_t length = 0;
    while (length < limit) {
        std::uintptr_t here = address_of(at) + length;
        std::uintptr_t end = (here / page_size() + 1) * page_size();
        auto block = holder(host.blocks, here);
        bool block_ends = false;
        if (block != host.blocks.end()) {
            std::uintptr_t block_end = address_of(block->first) + block->second;
            block_ends = block_end <= end;
            end = std::min(end, block_end);
        } else if (auto next = host.blocks.upper_bound(reinterpret_cast<void*>(here));
                   next != host.blocks.end()) {
            end = std::min(end, address_of(next->first));
        }
        std::size_t room = std::min<std::size_t>(end - here, limit - length);
        if (room == 0 || !range_allowed(host, at + length, room, access)) return std::nullopt;
        if (const void* nul = std::memchr(at + length, '\0', room)) {
            return length + static_cast<std::size_t>(static_cast<const char*>(nul) - (at + length));
        }
        length += room;
        // A text that starts in a block ends in it: what follows is not the
        // program's.
        if (block_ends && length < limit) return std::nullopt;
    }
    return length;
}

}  // namespace vesk
