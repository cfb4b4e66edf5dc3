// The debug log: a text file the checks append notes to ("First NAME: TERM"
// for every definition whose parameters were renamed). It is a convenience
// for people reading what the checks did, not part of a program's meaning.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

inline constexpr const char* kDebugLogPath = "/tmp/redv.log";

// Where the log goes: VESK_DEBUG_LOG when it is set and not empty, nothing
// when it is set but empty (the log is off), kDebugLogPath when unset.
std::optional<std::string> debug_log_path();

// Appends all bytes of `text` (NUL bytes included) to the debug log. When the
// log is off, cannot be opened or cannot be written the text is dropped
// silently: a run never fails or stops because of its log. Returns whether
// everything was written.
bool append_to_log(std::string_view text);

// The same for the file at `path`. The file is opened for appending without
// following a symbolic link, and written only when it is a regular file
// owned by this user; a new one is created readable by its owner alone.
bool append_to_file(const char* path, std::string_view text);

}  // namespace vesk
