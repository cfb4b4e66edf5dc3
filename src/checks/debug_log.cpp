#include "checks/debug_log.hpp"

#include <cstdio>

namespace vesk {

bool append_to_log(std::string_view text) {
    return append_to_file(kDebugLogPath, text);
}

// fwrite may write less than asked (a signal, a full pipe); keep going from
// where it stopped until everything is out. A call that writes nothing at all
// means the stream is failing: give up rather than spin.
bool append_to_file(const char* path, std::string_view text) {
    std::FILE* file = std::fopen(path, "a");
    if (file == nullptr) return false;
    std::size_t written = 0;
    bool ok = true;
    while (written < text.size()) {
        std::size_t n = std::fwrite(text.data() + written, 1, text.size() - written, file);
        written += n;
        if (n == 0) {
            ok = false;
            break;
        }
    }
    // A failing close (the disk filled up while flushing) loses only the note.
    if (std::fclose(file) != 0) ok = false;
    return ok;
}

}  // namespace vesk
