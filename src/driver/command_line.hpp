// The driver's own options, around the plain `vesk file args...`. Each is
// recognised in the first argument only when no file of that name exists,
// so an existing file is always run (write ./--help to run a file so named).
#pragma once

#include <optional>

#include "terms/term.hpp"

namespace vesk {

enum class Request {
    run_file,            // vesk file args...
    run_standard_input,  // vesk - args...: the program text from standard input
    help,                // vesk --help: a short usage on standard output
    version,             // vesk --version: "vesk VERSION" on standard output
    where,               // vesk --where CODE file: line and column of a position code
    explain,             // vesk --explain file args...: a run that says where a Z came from
    check,               // vesk --check file: checks without running, lists what looks wrong
    repl,                // vesk --repl [file]: an interactive session over file's definitions
};

// What the first argument `first` (borrowed) asks for.
Request read_request(const char* first);

// Answers help, version and where (`argv` borrowed, `argc` entries) and
// returns the exit status; for the two run requests it does nothing and
// returns nothing.
std::optional<int> answer_request(Request request, int argc, char** argv);

// Every byte of standard input up to its end, or nothing when it cannot be
// read at all (closed, a directory).
std::optional<Bytes> read_standard_input();

// The text `vesk --help` prints.
Bytes help_text();

}  // namespace vesk
