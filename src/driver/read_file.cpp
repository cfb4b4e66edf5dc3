#include "driver/read_file.hpp"

#include <cstdint>
#include <cstdio>

namespace vesk {

FileRead read_file_limited(const char* path, std::size_t limit) {
    FileRead result;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return result;
    Bytes text;
    char chunk[4095];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got > limit - text.size()) {
            result.too_large = true;
            break;
        }
        text.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    bool failed = std::ferror(file) != 0 || result.too_large;
    // A stream opened for reading has nothing to flush, so a failing close
    // can only mean the descriptor went bad under us: the text is suspect.
    failed = std::fclose(file) != 0 || failed;
    if (!failed) result.text = std::move(text);
    return result;
}

std::optional<Bytes> read_whole_file(const char* path) {
    return read_file_limited(path, SIZE_MAX).text;
}

}  // namespace vesk
