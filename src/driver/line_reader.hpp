// The line reader of `vesk --repl`: with line editing and history when the
// build found GNU Readline and standard input is a terminal, and a plain
// reader of standard input otherwise.
#pragma once

#include <optional>

#include "terms/term.hpp"

namespace vesk {

struct LineReader {
    bool terminal = false;  // standard input is a terminal: prompts are shown
    bool editing = false;   // lines come through Readline
};

// A reader for this process's standard input.
LineReader open_line_reader();
// The next line without its newline, after showing `prompt` when on a
// terminal; nothing at the end of the input. A line that is not empty
// joins the history when lines are edited.
std::optional<Bytes> read_line(LineReader& reader, const char* prompt);
// Gives back what the reader holds (Readline's history).
void close_line_reader(LineReader& reader);

}  // namespace vesk
