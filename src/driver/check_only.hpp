// `vesk --check file`: loads and checks a program without running it, and
// lists the places it probably did not mean (driver/findings.hpp).
#pragma once

namespace vesk {

// Checks the program in the file `path` (borrowed), or on standard input
// for `from_input`. Each finding goes to standard output as
// "FILE:LINE:COLUMN: message". Returns the exit status: 0 when nothing was
// found, 1 when something was, and 128 (after the error picture, or the
// unreadable-file lines) when the program does not load or pass the checks.
int check_only(const char* path, bool from_input);

}  // namespace vesk
