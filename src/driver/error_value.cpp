#include "driver/error_value.hpp"

#include <array>

namespace vesk {

namespace {

// True when the square brackets of `field` nest properly on their own, so
// that the field's group closes exactly after it.
bool brackets_balance(std::string_view field) {
    std::size_t depth = 0;
    for (char c : field) {
        if (c == '[') ++depth;
        if (c == ']') {
            if (depth == 0) return false;
            --depth;
        }
    }
    return depth == 0;
}

void append_field(Bytes& text, std::string_view field) {
    if (brackets_balance(field)) {
        text += "[\"";
        text += field;
        text += ']';
        return;
    }
    text += "[\\";
    for (char c : field) {
        if (c == '[') {
            text += "\\(";
        } else if (c == ']') {
            text += "\\)";
        } else if (c == '\\') {
            text += "\\\\";
        } else {
            text += c;
        }
    }
    text += ']';
}

// Undoes the escapes of a [\ group. An escape of any other byte, or a lone
// backslash at the end, is kept as written.
Bytes unescape(std::string_view body) {
    Bytes field;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (c == '\\' && i + 1 < body.size()) {
            char next = body[i + 1];
            char plain = next == '(' ? '[' : next == ')' ? ']' : next == '\\' ? '\\' : '\0';
            if (plain != '\0') {
                field += plain;
                ++i;
                continue;
            }
        }
        field += c;
    }
    return field;
}

// Index of the ']' that closes the '[' at `open`, counting square brackets
// only; npos when the text ends first.
std::size_t closing_bracket(std::string_view text, std::size_t open) {
    std::size_t depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '[') ++depth;
        if (text[i] == ']' && --depth == 0) return i;
    }
    return std::string_view::npos;
}

}  // namespace

Bytes error_value_text(const Outcome& out) {
    Bytes text = "['";
    for (const Bytes* field : {&out.say, &out.code, &out.vip, &out.tip, &out.way}) {
        append_field(text, *field);
    }
    text += ']';
    return text;
}

TermRef make_error_value(const Outcome& out) {
    return make_pair(leaf_term("]"), TermRef(error_value_text(out)));
}

bool is_error_value(const TermRef& r) {
    return is_pair(r) && is_leaf_cell(left_cell(r.get())) && first_byte(left_cell(r.get())) == ']';
}

Outcome decode_error_value(std::string_view text) {
    Outcome out;
    if (text.size() < 4) return out;
    std::array<Bytes*, 5> fields = {&out.say, &out.code, &out.vip, &out.tip, &out.way};
    for (Bytes* field : fields) field->clear();
    std::size_t at = 2;
    for (Bytes* field : fields) {
        if (at >= text.size() || text[at] != '[') break;
        std::size_t close = closing_bracket(text, at);
        if (close == std::string_view::npos) break;
        if (close >= at + 2) {
            std::string_view body = text.substr(at + 2, close - at - 2);
            *field = text[at + 1] == '\\' ? unescape(body) : Bytes(body);
        }
        at = close + 1;
    }
    return out;
}

}  // namespace vesk
