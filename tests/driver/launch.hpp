// Running the built vesk binary as a user does: a chosen argument vector,
// environment and standard input, with standard error on a file or on a
// pseudo-terminal, and the streams and status collected.
#pragma once

#include <string>
#include <vector>

namespace vesk::test {

struct Launch {
    std::vector<std::string> args;  // the whole argument vector, program name included
    std::vector<std::string> env;   // NAME=VALUE entries; nothing else is inherited
    std::string input;              // standard input (empty: /dev/null)
    bool stderr_on_terminal = false;
    std::string directory;          // working directory (empty: unchanged)
};

struct Finished {
    int status = -1;  // the exit status, or -1 when the process did not exit
    std::string out;
    std::string err;  // from a terminal, newlines come back as "\r\n"
};

Finished launch(const Launch& how);

// A fresh folder under the test's temporary directory, removed with all its
// entries when the value goes.
struct ScratchDir {
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string path;
};

std::string slurp(const std::string& path);
void write_file(const std::string& path, const std::string& text);

}  // namespace vesk::test
