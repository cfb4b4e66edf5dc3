#include "picture_check.hpp"

#include <cstddef>

namespace vesk {

namespace {

constexpr std::string_view kReset = "\033[m";
constexpr std::string_view kRed = "\033[31m";
constexpr std::string_view kGreen = "\033[32m";
constexpr std::string_view kTop = "                        /\\\n";
constexpr std::string_view kBubbleStart = "\\/\\oh [";
constexpr std::string_view kBubbleEnd = "]     /\\   /  \\\n";
constexpr std::string_view kBottom = "/\\uck_________/\\_/  \\_/    \\_\n";
constexpr std::string_view kTags[] = {" <way> ", " <vip> ", " <tip> ", " <say> "};

// The glyphs a green byte can show: both glyph rows and the blank.
constexpr std::string_view kGreenGlyphs =
    " ~!@#$%^&*<>-|+/=\\.`'\":;?0123456789]JABCDEFGHI,KLMNOPQRSTUVWXYZ(){}[_";

enum class Colour { plain, red, green };

// Checks one rendered field: escapes only on a change of class, glyphs
// that their class can show, and plain again at the end.
std::string field_fault(std::string_view text) {
    Colour now = Colour::plain;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string_view rest = text.substr(i);
        Colour next = now;
        std::size_t skip = 0;
        if (rest.starts_with(kRed)) next = Colour::red, skip = kRed.size();
        else if (rest.starts_with(kGreen)) next = Colour::green, skip = kGreen.size();
        else if (rest.starts_with(kReset)) next = Colour::plain, skip = kReset.size();
        if (skip != 0) {
            if (next == now) return "an escape that does not change the colour";
            now = next;
            i += skip;
            continue;
        }
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool shown = now == Colour::green ? kGreenGlyphs.find(static_cast<char>(c)) != std::string_view::npos
                                          : c >= 33 && c <= 126;
        if (!shown) return "byte " + std::to_string(c) + " is no glyph of its colour";
        ++i;
    }
    if (now != Colour::plain) return "a field that does not end plain";
    return {};
}

}  // namespace

std::string picture_fault(std::string_view report) {
    if (!report.starts_with(kReset)) return "no reset sequence first";
    report.remove_prefix(kReset.size());
    if (!report.starts_with(kTop)) return "first picture line";
    report.remove_prefix(kTop.size());
    if (!report.starts_with(kBubbleStart)) return "second picture line";
    report.remove_prefix(kBubbleStart.size());
    std::size_t end = report.find(kBubbleEnd);
    if (end == std::string_view::npos) return "second picture line has no end";
    for (char c : report.substr(0, end)) {
        if (c < 33 || c > 126) return "the code holds a byte that is no glyph";
    }
    report.remove_prefix(end + kBubbleEnd.size());
    if (!report.starts_with(kBottom)) return "third picture line";
    report.remove_prefix(kBottom.size());
    std::size_t next_tag = 0;
    while (!report.empty()) {
        std::size_t eol = report.find('\n');
        if (eol == std::string_view::npos) return "a last line without a newline";
        std::string_view line = report.substr(0, eol);
        std::size_t tag = next_tag;
        while (tag < 4 && !line.starts_with(kTags[tag])) ++tag;
        if (tag == 4) return "a line that is not tagged, or a tag out of order";
        std::string_view text = line.substr(kTags[tag].size());
        if (text.empty()) return "an empty tagged line";
        std::string fault = field_fault(text);
        if (!fault.empty()) return fault;
        next_tag = tag + 1;
        report.remove_prefix(eol + 1);
    }
    return {};
}

}  // namespace vesk
