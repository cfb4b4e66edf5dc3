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

// Pass 1, forward: every closer must meet the innermost opener of its own
// kind, and every opener must be closed. Inside a square literal only square
// brackets count. Returns the error position, or none.
std::optional<std::size_t> check_pairs(std::string_view text, Outcome& out) {
    constexpr ByteSet kBrackets = make_byte_set("()[]{}");
    constexpr ByteSet kSquares = make_byte_set("[]");
    std::vector<std::size_t> open;
    auto in_square = [&] { return !open.empty() && text[open.back()] == '['; };
    for (std::size_t i = next_in(text, 0, kBrackets); i < text.size();
         i = next_in(text, i + 1, in_square() ? kSquares : kBrackets)) {
        char c = text[i];
        if (in_square()) {
            if (c == ']') open.pop_back();
            if (c == '[') open.push_back(i);
            continue;
        }
        if (is_opener(c)) {
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
    if (open.empty()) return std::nullopt;
    std::size_t j = open.back();
    Bytes p = position_code_of(j);
    fail_match(out, "Dangling left-" + Bytes(bracket_kind_name(text[j])) + " at [" + p + "].", p,
               "");
    return j;
}

// Whether the '(' at i may open a call list: it must follow an operand.
bool may_open_call_list(std::string_view text, std::size_t i) {
    if (i == 0) return false;
    unsigned char before = static_cast<unsigned char>(text[i - 1]);
    return before == ')' || before == ']' || !is_blank_or_operator(before);
}

// Pass 2, backward, on bracket-balanced text: a parenthesis group holding a
// top-level comma must be a call list. The stack holds the closers of the
// open groups; a parenthesis group keeps at most one comma above its ')',
// its leftmost so far. Returns the error position, or none.
std::optional<std::size_t> check_commas(std::string_view text, Outcome& out) {
    constexpr ByteSet kStops = make_byte_set(",()[]{}");
    std::vector<std::size_t> stack;
    for (std::size_t i = last_in(text, text.size(), kStops); i < text.size();
         i = last_in(text, i, kStops)) {
        char c = text[i];
        char top = stack.empty() ? '\0' : text[stack.back()];
        if (c == ']') {
            i = match_bracket(text, i);
        } else if (c == ')' || c == '}') {
            stack.push_back(i);
        } else if (c == ',') {
            if (top == ')') stack.push_back(i);
            if (top == ',') stack.back() = i;
        } else if (c == '{') {
            VESK_ASSERT(top == '}');
            stack.pop_back();
        } else if (c == '(') {
            if (top == ',') {
                std::size_t comma = stack.back();
                if (!may_open_call_list(text, i)) {
                    Bytes p = position_code_of(comma);
                    out.say = "Comma at [" + p + "] is not part of a valid call list.";
                    out.code = "comma";
                    out.vip = p;
                    out.tip.clear();
                    return comma;
                }
                stack.pop_back();
            }
            VESK_ASSERT(!stack.empty() && text[stack.back()] == ')');
            stack.pop_back();
        }
    }
    return std::nullopt;
}

}  // namespace

bool check_brackets(std::string_view text, Outcome& out, std::size_t& error_position) {
    std::optional<std::size_t> at = check_pairs(text, out);
    if (!at) at = check_commas(text, out);
    if (!at) return true;
    error_position = *at;
    return false;
}

bool check_brackets(std::string_view text, Outcome& out) {
    std::size_t ignored = 0;
    return check_brackets(text, out, ignored);
}

}  // namespace vesk
