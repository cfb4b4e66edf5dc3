#include "driver/read_file.hpp"

#include <cstdio>

namespace vesk {

std::optional<Bytes> read_whole_file(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return std::nullopt;
    Bytes text;
    char chunk[4095];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        text.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    bool failed = std::ferror(file) != 0;
    // A stream opened for reading has nothing to flush, so a failing close
    // can only mean the descriptor went bad under us: the text is suspect.
    failed = std::fclose(file) != 0 || failed;
    if (failed) return std::nullopt;
    return text;
}

}  // namespace vesk
