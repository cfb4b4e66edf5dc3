#include "driver/line_reader.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#ifdef VESK_READLINE
#include <readline/history.h>
#include <readline/readline.h>
#endif

namespace vesk {

namespace {

// read(2) a byte at a time, so that nothing past the line is taken from
// standard input (a program the session runs may read the rest).
std::optional<Bytes> read_plain_line() {
    Bytes line;
    for (;;) {
        char c;
        ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (line.empty()) return std::nullopt;
            return line;
        }
        if (c == '\n') return line;
        line += c;
    }
}

}  // namespace

LineReader open_line_reader() {
    LineReader reader;
    reader.terminal = ::isatty(STDIN_FILENO) == 1;
#ifdef VESK_READLINE
    reader.editing = reader.terminal;
#endif
    return reader;
}

std::optional<Bytes> read_line(LineReader& reader, const char* prompt) {
#ifdef VESK_READLINE
    if (reader.editing) {
        char* line = ::readline(prompt);
        if (line == nullptr) return std::nullopt;
        Bytes text(line);
        if (!text.empty()) ::add_history(line);
        std::free(line);
        return text;
    }
#endif
    if (reader.terminal) {
        std::fputs(prompt, stdout);
        std::fflush(stdout);
    }
    return read_plain_line();
}

void close_line_reader(LineReader& reader) {
#ifdef VESK_READLINE
    if (reader.editing) ::rl_clear_history();
#endif
    reader.editing = false;
}

}  // namespace vesk
