// The process from start to exit: start-up, the command line, reading the
// program file, the stages, and what the user sees when they fail.
#pragma once

#include <string_view>

#include "diagnostics/outcome.hpp"

namespace vesk {

// Exit statuses of the driver itself. A POSIX parent sees only the low 8
// bits of a status, so every failure uses 128, which no parent can mistake
// for success. A program's own result keeps its low 32 bits.
inline constexpr int kUsageStatus = 1;
inline constexpr int kFailureStatus = 128;
inline constexpr int kStartupStatus = -1;

// Runs vesk on the command line `argv` (borrowed, argc entries and a null
// after them) and returns the process exit status. Writes the usage
// picture, the unreadable-file lines or an error picture as needed.
int run_main(int argc, char** argv);

// `name` (borrowed) with every byte outside 32-126, and '[' and ']', written
// as '[', two upper-case hexadecimal digits and ']', so that any file name
// shows safely on one line.
Bytes escape_file_name(std::string_view name);

// What standard error receives when a program file cannot be read (the
// standard output line "Error.\n" goes first, separately).
Bytes unreadable_file_message(std::string_view name);

// The same lines for a program file longer than kMaxProgramBytes
// (driver/read_file.hpp), with the limit in place of the reason.
Bytes oversized_file_message(std::string_view name);

// What standard error receives when a stage fails with `out` (borrowed):
// the reset sequence, then the error picture. Without `colour` there is no
// reset sequence and the picture has no colour sequences.
Bytes failure_report(const Outcome& out, bool colour = true);

}  // namespace vesk
