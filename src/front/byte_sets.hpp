// Sets of bytes as 256-entry tables, and the scans the front end's passes
// over source text are built on: most bytes of a program are letters and
// blanks that none of those passes acts on, so each pass jumps from one byte
// of its set to the next in a loop of a load and a test.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vesk {

using ByteSet = std::array<bool, 256>;

constexpr ByteSet make_byte_set(std::string_view members) {
    ByteSet set{};
    for (char c : members) set[static_cast<unsigned char>(c)] = true;
    return set;
}

// The first index from `i` on whose byte is in `set`, or text.size().
inline std::size_t next_in(std::string_view text, std::size_t i, const ByteSet& set) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t n = text.size();
    while (i < n && !set[bytes[i]]) ++i;
    return i;
}

// The last index below `i` whose byte is in `set`, or text.size() when none.
inline std::size_t last_in(std::string_view text, std::size_t i, const ByteSet& set) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    while (i > 0) {
        if (set[bytes[--i]]) return i;
    }
    return text.size();
}

}  // namespace vesk
