// Reading a whole file into memory, NUL bytes included.
#pragma once

#include <cstddef>
#include <optional>

#include "terms/term.hpp"

namespace vesk {

// The largest program file vesk reads: 128 MiB. An endless source such as
// /dev/zero, or a file that grows while it is read, ends the read here
// instead of when memory runs out.
inline constexpr std::size_t kMaxProgramBytes = std::size_t{1} << 27;

struct FileRead {
    std::optional<Bytes> text;  // nothing when unreadable or too large
    bool too_large = false;     // more than the limit was there to read
};

// Every byte of the file at `path` (borrowed C text), in order, read once
// from start to end, so that a pipe or FIFO works as well as a regular
// file. Nothing when the file cannot be opened, or when it opens but
// reading fails (a directory, an I/O error): a text that was only partly
// read is never handed on as if it were the whole file. More than `limit`
// bytes is `too_large`, found after reading at most one chunk past it.
FileRead read_file_limited(const char* path, std::size_t limit);

// read_file_limited without a limit.
std::optional<Bytes> read_whole_file(const char* path);

}  // namespace vesk
