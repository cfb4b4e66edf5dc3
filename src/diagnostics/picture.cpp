#include "diagnostics/picture.hpp"

#include <vector>

namespace vesk {

namespace {

// The three colour classes of a byte and the sequence that enters each.
enum class Colour { plain, red, green };

Colour colour_of(unsigned char b) {
    if (b >= 33 && b <= 126) return Colour::plain;
    if (b >= 161 && b <= 254) return Colour::red;
    return Colour::green;
}

std::string_view colour_sequence(Colour c) {
    switch (c) {
        case Colour::red: return "\033[31m";
        case Colour::green: return "\033[32m";
        case Colour::plain: break;
    }
    return kResetColour;
}

// The two glyph rows for the green bytes. Row one is indexed by (b + 1) mod
// 256 and covers 255 and 0-31; row two by b - 127 and covers 127-160.
constexpr std::string_view kControlGlyphs = "]JABCDEFGHI,KLMNOPQRSTUVWXYZ(){}[_";
constexpr std::string_view kHighGlyphs = "~!@#$%^&*<>-|+/=\\.`'\":;?0123456789";

char glyph_of(unsigned char b) {
    if (b == '\n') return ',';
    if (b >= 32 && b <= 126) return static_cast<char>(b);
    if (b >= 161 && b <= 254) return static_cast<char>(b - 128);
    if (b >= 127 && b <= 160) return kHighGlyphs[b - 127];
    return kControlGlyphs[(b + 1u) % 256u];
}

void append_tagged(Bytes& picture, std::string_view tag, std::string_view field, bool colour) {
    if (field.empty()) return;
    picture += tag;
    picture += render(field, colour);
    picture += '\n';
}

bool is_opener(char c) {
    return c == '(' || c == '{' || c == '[';
}

char closer_of(char opener) {
    if (opener == '(') return ')';
    if (opener == '{') return '}';
    return ']';
}

}  // namespace

Bytes render(std::string_view text, bool colour) {
    Bytes shown;
    shown.reserve(text.size());
    Colour current = Colour::plain;
    for (char ch : text) {
        unsigned char b = static_cast<unsigned char>(ch);
        Colour c = colour_of(b);
        if (c != current && colour) {
            shown += colour_sequence(c);
            current = c;
        }
        shown += glyph_of(b);
    }
    if (current != Colour::plain) shown += kResetColour;
    return shown;
}

Bytes error_picture(const Outcome& out, bool colour) {
    Bytes picture = "                        /\\\n";
    picture += "\\/\\oh [";
    picture += out.code;
    picture += "]     /\\   /  \\\n";
    picture += "/\\uck_________/\\_/  \\_/    \\_\n";
    append_tagged(picture, " <way> ", out.way, colour);
    append_tagged(picture, " <vip> ", out.vip, colour);
    append_tagged(picture, " <tip> ", out.tip, colour);
    append_tagged(picture, " <say> ", out.say, colour);
    return picture;
}

std::string_view usage_picture() {
    return "\\/\\oh usage     /\\   /  \\\n"
           "/\\uck_______/\\_/  \\_/    \\_\n"
           "<say>vesk file args...\n";
}

// The budget is the bytes taken so far plus one reserved closing byte for
// every bracket still open, so closing them all never passes the limit.
Bytes excerpt(std::string_view text) {
    Bytes shown;
    std::vector<char> open;
    for (char c : text) {
        std::size_t budget = shown.size() + open.size();
        if (budget >= kExcerptLimit) break;
        bool last_slot = budget + 1 == kExcerptLimit;
        if (!open.empty() && open.back() == '[') {
            if (c == '[') {
                if (last_slot) break;
                open.push_back(c);
            } else if (c == ']') {
                open.pop_back();
            }
        } else if (is_opener(c)) {
            if (last_slot) break;
            open.push_back(c);
        } else if ((c == ')' || c == '}') && !open.empty()) {
            open.pop_back();
        }
        shown += c;
    }
    while (!open.empty()) {
        shown += closer_of(open.back());
        open.pop_back();
    }
    return shown;
}

}  // namespace vesk
