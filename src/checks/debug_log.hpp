// The debug log: a text file the checks append notes to. It is a convenience
// for people reading what the checks did, not part of a program's meaning.
#pragma once

#include <string_view>

namespace vesk {

inline constexpr const char* kDebugLogPath = "/tmp/redv.log";

// Appends all bytes of `text` (NUL bytes included) to the debug log. When the
// log cannot be opened or written the text is dropped silently: a run never
// fails or stops because of its log. Returns whether everything was written.
bool append_to_log(std::string_view text);

// The same for the file at `path` (opened for appending, mode "a").
bool append_to_file(const char* path, std::string_view text);

}  // namespace vesk
