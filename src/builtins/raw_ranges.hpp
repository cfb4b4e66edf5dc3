// Whether the bytes at a raw address (an integer a program computed) may be
// read or written by a built-in, decided without touching them:
//   - inside a block the run holds (malloc, calloc, realloc, strdup) the
//     bytes must lie wholly in that block, which the run knows the size of;
//   - writes reach nothing else but the records the C library handed out
//     for changing (gmtime's struct tm): the interpreter's own memory (its
//     cells, the texts of numbers and code) is never written through an
//     address;
//   - a read outside the blocks may not touch a block freed since, and every
//     page it touches must be readable, which the kernel says by copying a
//     byte of it (a page is readable whole or not at all); an address the
//     process cannot read is refused instead of faulting.
// All borrow the host tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/host_resources.hpp"

namespace vesk {

enum class Access : std::uint8_t { read, write };

// True when the `size` bytes at `at` may be accessed so. Zero bytes are
// always allowed (nothing is touched); otherwise a null address is not.
bool range_allowed(const HostResources& host, const void* at, std::size_t size, Access access);

// The length of the NUL-terminated text at `at`, reading at most `limit`
// bytes: the count of bytes before the first NUL, or `limit` when none of
// the first `limit` bytes is NUL. Every byte counted, and the NUL when it
// is reached, must be allowed for `access`; else empty.
std::optional<std::size_t> text_length(const HostResources& host, const char* at,
                                       std::size_t limit, Access access);

// True when the kernel can read one byte at `at` into this process (or the
// kernel refuses the question itself, as a sandbox may: then true, and the
// address is trusted as C would trust it).
bool kernel_can_read(std::uintptr_t at);

}  // namespace vesk
