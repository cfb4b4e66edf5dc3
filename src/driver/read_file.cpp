#include "driver/read_file.hpp"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>

namespace vesk {

FileRead read_file_limited(const char* path, std::size_t limit) {
    FileRead result;
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return result;
    // The bytes are read straight into the text. A regular file's size makes
    // its room once, and the first read then takes the whole file (a read
    // that large bypasses the stream's buffer); anything else grows by
    // chunks. The read goes on to the end either way: a file may grow.
    constexpr std::size_t kChunk = 4095;
    Bytes text;
    struct stat info {};
    if (::fstat(::fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        auto size = static_cast<std::size_t>(info.st_size);
        text.reserve((size < limit ? size : limit) + 1);
    }
    for (;;) {
        std::size_t have = text.size();
        std::size_t want = text.capacity() - have;
        if (want < kChunk) want = kChunk;
        text.resize(have + want);
        std::size_t got = std::fread(text.data() + have, 1, want, file);
        text.resize(have + got);
        if (text.size() > limit) {
            result.too_large = true;
            break;
        }
        if (got < want) break;
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
