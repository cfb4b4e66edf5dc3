#include "diagnostics/error_value.hpp"

#include <array>

#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

void append_field(Bytes& text, std::string_view field) {
    if (brackets_balance(field)) {
        text += "[\"";
        text += field;
        text += ']';
        return;
    }
    text += "[\\";
    text += escape_brackets(field);
    text += ']';
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
            *field = text[at + 1] == '\\' ? unescape_brackets(body) : Bytes(body);
        }
        at = close + 1;
    }
    return out;
}

}  // namespace vesk
