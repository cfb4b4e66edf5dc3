#include "front/layout.hpp"

#include "front/byte_sets.hpp"
#include "front/names.hpp"

namespace vesk {

namespace {

bool is_layout(char c) {
    return c == ' ' || c == '\n';
}

// Index just past the square literal opening at text[i], or the end of the
// text when it never closes (unchecked text is copied, not rejected).
std::size_t square_literal_end(std::string_view text, std::size_t i) {
    std::size_t depth = 0;
    for (; i < text.size(); ++i) {
        if (text[i] == '[') ++depth;
        if (text[i] == ']' && --depth == 0) return i + 1;
    }
    return text.size();
}

// Whether a run of layout between the bytes p and q vanishes.
bool layout_vanishes(unsigned char p, unsigned char q) {
    return is_blank_or_operator(p) || is_blank_or_operator(q) || p == '(' || p == '{' || p == '}' ||
           q == ')' || q == '}' || q == '{';
}

// Walks the square literal at text[i] to its partner: forward from '[',
// backward from ']', counting square brackets only.
std::size_t match_square(std::string_view text, std::size_t i) {
    bool forward = text[i] == '[';
    std::size_t depth = 0;
    for (;;) {
        char c = text[i];
        if (c == (forward ? '[' : ']')) ++depth;
        if (c == (forward ? ']' : '[') && --depth == 0) return i;
        if (forward) {
            ++i;
            VESK_ASSERT(i < text.size());
        } else {
            VESK_ASSERT(i > 0);
            --i;
        }
    }
}

bool opens_group(char c) {
    return c == '(' || c == '{';
}
bool closes_group(char c) {
    return c == ')' || c == '}';
}

// Walks a parenthesis or curly group at text[i] to its partner, passing
// square literals over whole.
std::size_t match_group(std::string_view text, std::size_t i) {
    bool forward = opens_group(text[i]);
    std::size_t depth = 0;
    for (;;) {
        char c = text[i];
        if (c == '[' || c == ']') {
            VESK_ASSERT((c == '[') == forward);
            i = match_square(text, i);
        } else if (opens_group(c) || closes_group(c)) {
            if (opens_group(c) == forward) {
                ++depth;
            } else {
                VESK_ASSERT(depth > 0);
                --depth;
            }
            if (depth == 0) return i;
        }
        if (forward) {
            ++i;
            VESK_ASSERT(i < text.size());
        } else {
            VESK_ASSERT(i > 0);
            --i;
        }
    }
}

}  // namespace

Bytes normalise_layout(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && is_layout(text[begin])) ++begin;
    while (end > begin && is_layout(text[end - 1])) --end;
    // The result is never longer than the trimmed text: it is written
    // through a pointer into room of that size and cut to length at the end.
    constexpr ByteSet kStops = make_byte_set(" \n[");
    const char* in = text.data();
    Bytes out(end - begin, '\0');
    char* w = out.data();
    std::size_t i = begin;
    while (i < end) {
        while (i < end && !kStops[static_cast<unsigned char>(in[i])]) *w++ = in[i++];
        if (i == end) break;
        if (in[i] == '[') {
            std::size_t stop = square_literal_end(text, i);
            if (stop > end) stop = end;  // an unclosed literal ends with the text
            while (i < stop) *w++ = in[i++];
            continue;
        }
        // Trimming guarantees a byte on both sides of an inner run.
        std::size_t run_end = i;
        bool newline = false;
        while (is_layout(in[run_end])) newline |= in[run_end++] == '\n';
        unsigned char p = static_cast<unsigned char>(in[i - 1]);
        unsigned char q = static_cast<unsigned char>(in[run_end]);
        if (!layout_vanishes(p, q)) *w++ = newline ? '\n' : ' ';
        i = run_end;
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
    return out;
}

std::size_t match_bracket(std::string_view text, std::size_t i) {
    VESK_ASSERT(i < text.size());
    char c = text[i];
    if (c == '[' || c == ']') return match_square(text, i);
    if (opens_group(c) || closes_group(c)) return match_group(text, i);
    return i;
}

std::vector<std::size_t> cut_chunk(std::string_view chunk) {
    std::vector<std::size_t> cuts;
    if (chunk.empty()) return cuts;
    auto past = [&](std::size_t i) {
        char c = chunk[i];
        return c == '[' || c == '(' ? match_bracket(chunk, i) + 1 : i + 1;
    };
    std::size_t i = past(0);
    while (i < chunk.size()) {
        if (is_atom_cut(static_cast<unsigned char>(chunk[i - 1]),
                        static_cast<unsigned char>(chunk[i])))
            cuts.push_back(i);
        i = past(i);
    }
    return cuts;
}

}  // namespace vesk
