#include "front/brackets.hpp"

#include <vector>

#include "diagnostics/bracket_names.hpp"
#include "front/byte_sets.hpp"
#include "front/charcode.hpp"
#include "front/layout.hpp"
#include "front/names.hpp"

namespace vesk {

namespace {

bool is_opener(char c) {
    return c == '(' || c == '[' || c == '{';
}
bool is_closer(char c) {
    return c == ')' || c == ']' || c == '}';
}

char partner_of(char opener) {
    switch (opener) {
        case '(': return ')';
        case '[': return ']';
        default: return '}';
    }
}

void fail_match(Outcome& out, Bytes say, Bytes vip, Bytes tip) {
    out.say = std::move(say);
    out.code = "match";
    out.vip = std::move(vip);
    out.tip = std::move(tip);
}

// Whether the '(' at i may open a call list: it must follow an operand.
bool may_open_call_list(std::string_view text, std::size_t i) {
    if (i == 0) return false;
    unsigned char before = static_cast<unsigned char>(text[i - 1]);
    return before == ')' || before == ']' || !is_blank_or_operator(before);
}

void fail_comma(Outcome& out, std::size_t comma) {
    Bytes p = position_code_of(comma);
    out.say = "Comma at [" + p + "] is not part of a valid call list.";
    out.code = "comma";
    out.vip = p;
    out.tip.clear();
}

// One pass, forward. Every closer must meet the innermost opener of its own
// kind, and every opener must be closed; inside a square literal only
// square brackets count. A parenthesis group holding a comma of its own
// must be a call list. A broken pair anywhere is reported before any comma;
// of the groups that are no call lists, the one opening last is reported,
// at its first comma (what a backward pass over the balanced text meets
// first). Returns the error position, or none.
std::optional<std::size_t> check_pairs(std::string_view text, Outcome& out) {
    constexpr ByteSet kStops = make_byte_set("()[]{},");
    constexpr ByteSet kSquares = make_byte_set("[]");
    std::vector<std::size_t> open;
    std::size_t bad_open = 0;                // the last-opening group that is no call list,
    std::optional<std::size_t> bad_comma;    // and its first comma
    std::size_t checked_open = text.size();  // the group whose first comma was seen
    auto in_square = [&] { return !open.empty() && text[open.back()] == '['; };
    for (std::size_t i = next_in(text, 0, kStops); i < text.size();
         i = next_in(text, i + 1, in_square() ? kSquares : kStops)) {
        char c = text[i];
        if (in_square()) {
            if (c == ']') open.pop_back();
            if (c == '[') open.push_back(i);
            continue;
        }
        if (c == ',') {
            if (open.empty() || text[open.back()] != '(' || open.back() == checked_open) continue;
            checked_open = open.back();
            if (!may_open_call_list(text, checked_open) &&
                (!bad_comma || checked_open > bad_open)) {
                bad_open = checked_open;
                bad_comma = i;
            }
        } else if (is_opener(c)) {
            open.push_back(i);
        } else if (is_closer(c)) {
            if (open.empty()) {
                Bytes p = position_code_of(i);
                fail_match(out,
                           "Dangling right-" + Bytes(bracket_kind_name(c)) + " at [" + p + "].", p,
                           "");
                return i;
            }
            std::size_t j = open.back();
            if (partner_of(text[j]) != c) {
                Bytes pj = position_code_of(j);
                Bytes pi = position_code_of(i);
                fail_match(out,
                           "'" + Bytes(1, text[j]) + "' at [" + pj + "] doesn't fit '" +
                               Bytes(1, c) + "' at [" + pi + "].",
                           pj, pi);
                return j;
            }
            open.pop_back();
        }
    }
    if (!open.empty()) {
        std::size_t j = open.back();
        Bytes p = position_code_of(j);
        fail_match(out, "Dangling left-" + Bytes(bracket_kind_name(text[j])) + " at [" + p + "].",
                   p, "");
        return j;
    }
    if (bad_comma) fail_comma(out, *bad_comma);
    return bad_comma;
}

}  // namespace

bool check_brackets(std::string_view text, Outcome& out, std::size_t& error_position) {
    std::optional<std::size_t> at = check_pairs(text, out);
    if (!at) return true;
    error_position = *at;
    return false;
}

bool check_brackets(std::string_view text, Outcome& out) {
    std::size_t ignored = 0;
    return check_brackets(text, out, ignored);
}

}  // namespace vesk
