// Reading a whole file into memory, NUL bytes included.
#pragma once

#include <optional>

#include "terms/term.hpp"

namespace vesk {

// Every byte of the file at `path` (borrowed C text), in order. Nothing
// when the file cannot be opened, or when it opens but reading fails (a
// directory, an I/O error): a text that was only partly read is never
// handed on as if it were the whole file.
std::optional<Bytes> read_whole_file(const char* path);

}  // namespace vesk
