#include "driver/where.hpp"

#include <string>

#include "diagnostics/picture.hpp"
#include "front/charcode.hpp"
#include "front/layout.hpp"

namespace vesk {

namespace {

// At most this many bytes of the text are shown from the place onwards.
constexpr std::size_t kShownBytes = 24;

// "line L, column C: TEXT" where TEXT is what follows the place up to the
// end of its line, one plain glyph per byte so that no byte of the program
// can reach the terminal raw.
Bytes place_line(std::string_view label, std::string_view text, std::size_t offset) {
    LineColumn at = line_column(text, offset);
    std::string_view rest = offset < text.size() ? text.substr(offset) : std::string_view();
    rest = rest.substr(0, rest.find('\n'));
    if (rest.size() > kShownBytes) rest = rest.substr(0, kShownBytes);
    Bytes line(label);
    line += ": line " + std::to_string(at.line) + ", column " + std::to_string(at.column);
    if (offset >= text.size()) {
        line += " (end of text)";
    } else if (rest.empty()) {
        line += " (end of line)";
    } else {
        line += ": " + render(rest, false);
    }
    line += '\n';
    return line;
}

}  // namespace

std::optional<std::uint32_t> decode_position_code(std::string_view code) {
    if (code.size() == 7 && code.front() == '[' && code.back() == ']') {
        code = code.substr(1, 5);
    }
    if (code.size() != 5) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : code) {
        std::size_t digit = kBase64Alphabet.find(c);
        if (digit == std::string_view::npos) return std::nullopt;
        value = value * 64 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

LineColumn line_column(std::string_view text, std::size_t offset) {
    LineColumn at;
    std::size_t end = offset < text.size() ? offset : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++at.line;
            at.column = 1;
        } else {
            ++at.column;
        }
    }
    return at;
}

Bytes where_report(std::uint32_t offset, std::string_view raw) {
    Bytes report = "offset " + std::to_string(offset) + "\n";
    report += place_line("as written (match, comma)", raw, offset);
    report += place_line("normalised (other codes)", normalise_layout(raw), offset);
    return report;
}

}  // namespace vesk
