#include "front/printer.hpp"

#include <cstdio>
#include <cstring>
#include <forward_list>
#include <vector>

#include "front/names.hpp"

namespace vesk {

namespace {

// A printed text is built as a chain of pieces (views into leaf cells, into
// formatted leaf texts, or of the literals "(", " " and ")"), so that every
// pair is printed in constant time from its children's chains, however deep
// the term is. The rules for a pair only look at a few facts of each
// child's text, which travel with the chain.
struct Piece {
    const char* bytes;
    std::size_t size;
    std::size_t next;  // index of the following piece; kNone at the end
};
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

enum ByteClass : std::uint8_t { lower_class = 1, number_class = 2, mark_class = 4 };

ByteClass class_of(unsigned char c) {
    if (is_lower_byte(c)) return lower_class;
    if (is_digit_byte(c)) return number_class;
    return mark_class;
}

struct Printed {
    std::size_t head;  // first piece
    std::size_t tail;  // last piece
    std::size_t size;  // bytes in all
    unsigned char first;
    unsigned char second;  // 0 when the text has one byte
    unsigned char last;
    std::uint8_t classes;  // ByteClass bits of all bytes
    // The whole text is one square literal: it starts with '[' and its
    // partner is its last byte. Only a leaf can be one: the text of a pair
    // that starts with '[' is a leaf's text followed by pieces that either
    // leave it unclosed or add bytes after its close.
    bool one_literal;
};

struct PrintState {
    std::vector<Piece> pieces;
    // Texts made for raw and counted leaves; a list, as pieces view into them
    // and an empty one costs nothing (most terms have none).
    std::forward_list<Bytes> formatted;
    std::vector<Printed> values;
};

std::size_t add_piece(PrintState& s, const char* bytes, std::size_t size) {
    s.pieces.push_back({bytes, size, kNone});
    return s.pieces.size() - 1;
}

bool is_one_literal(std::string_view text) {
    if (text.empty() || text[0] != '[') return false;
    std::size_t depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '[') ++depth;
        if (text[i] == ']' && --depth == 0) return i + 1 == text.size();
    }
    return false;
}

Printed printed_text(PrintState& s, std::string_view text) {
    VESK_ASSERT(!text.empty());
    std::size_t piece = add_piece(s, text.data(), text.size());
    Printed p{piece, piece, text.size(), 0, 0, 0, 0, is_one_literal(text)};
    p.first = static_cast<unsigned char>(text.front());
    p.second = text.size() > 1 ? static_cast<unsigned char>(text[1]) : 0;
    p.last = static_cast<unsigned char>(text.back());
    for (char c : text) p.classes |= class_of(static_cast<unsigned char>(c));
    return p;
}

Bytes real_text(std::string_view leaf) {
    double value = 0;
    std::memcpy(&value, leaf.data() + 1, sizeof value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%e", value);
    return "real[" + Bytes(buffer) + "]";
}

Bytes cape_text(std::string_view leaf) {
    Bytes out = "cape[";
    for (char c : leaf.substr(leaf.find(')') + 1)) {
        if (c == '\n')
            out += "[p]";
        else if (c == '[')
            out += "[q]";
        else if (c == ']')
            out += "[r]";
        else
            out += c;
    }
    return out + "]";
}

Printed print_leaf(PrintState& s, const Term* cell) {
    std::string_view text = leaf_view(cell);
    unsigned char first = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    if (text.empty() || first == ')' || first == ']') return printed_text(s, "()");
    if (first == ' ' || first == '(') {
        s.formatted.push_front(first == ' ' ? real_text(text) : cape_text(text));
        return printed_text(s, s.formatted.front());
    }
    return printed_text(s, text);
}

// Whether a and b, side by side, would read as different atoms.
bool needs_parentheses(const Printed& a, const Printed& b) {
    bool mixed = b.classes != lower_class && b.classes != number_class && b.classes != mark_class;
    if (b.size >= 2 && (class_of(b.first) == mark_class || mixed)) return true;
    if (b.classes == lower_class) return is_lower_byte(a.last);
    if (b.classes == number_class) return is_digit_byte(a.last);
    return false;
}

void link(PrintState& s, std::size_t from, std::size_t to) {
    s.pieces[from].next = to;
}

Printed print_pair(PrintState& s, Printed a, const Printed& b) {
    Printed out = a;
    out.size = a.size + b.size;
    out.classes = static_cast<std::uint8_t>(a.classes | b.classes);
    out.last = b.last;
    out.one_literal = false;
    if (a.first == '(' && a.second != ')') {
        // "(g x" + " " + b + ")": a's text ends with its own ")" piece, which
        // becomes the blank.
        VESK_ASSERT(a.last == ')' && s.pieces[a.tail].size == 1);
        s.pieces[a.tail].bytes = " ";
        link(s, a.tail, b.head);
        out.tail = add_piece(s, ")", 1);
        link(s, b.tail, out.tail);
        out.size += 1;
        out.last = ')';
        return out;
    }
    if (!b.one_literal && needs_parentheses(a, b)) {
        std::size_t open = add_piece(s, "(", 1);
        std::size_t blank = add_piece(s, " ", 1);
        out.tail = add_piece(s, ")", 1);
        link(s, open, a.head);
        link(s, a.tail, blank);
        link(s, blank, b.head);
        link(s, b.tail, out.tail);
        out.head = open;
        out.size += 3;
        out.first = '(';
        out.second = a.first;
        out.last = ')';
        out.classes |= mark_class;
        return out;
    }
    link(s, a.tail, b.head);
    out.tail = b.tail;
    if (a.size == 1) out.second = b.first;
    return out;
}

#ifdef VESK_RUN_BUDGET
// The fuzz targets hold every run to a small heap; a term whose subterms
// are shared prints far larger than it is (each use in full), so there a
// print stops at this many pieces and says so.
constexpr std::size_t kMaxPieces = std::size_t{1} << 20;
#endif

}  // namespace

Bytes print_term(const TermRef& t) {
    PrintState s;
    // Post-order walk: a pair is pushed back marked once its children are
    // queued, and printed when both of their texts are on the value stack.
    struct Visit {
        const Term* cell;
        bool children_done;
    };
    // Room for a small term at once: quotes and log notes print many.
    constexpr std::size_t kRoom = 32;
    std::vector<Visit> visits;
    visits.reserve(kRoom);
    s.pieces.reserve(kRoom);
    s.values.reserve(kRoom);
    visits.push_back({t.get(), false});
    while (!visits.empty()) {
        Visit v = visits.back();
        visits.pop_back();
#ifdef VESK_RUN_BUDGET
        if (s.pieces.size() > kMaxPieces) return "(too long to print in the fuzz budget)";
#endif
        if (is_leaf_cell(v.cell)) {
            s.values.push_back(print_leaf(s, v.cell));
        } else if (!v.children_done) {
            visits.push_back({v.cell, true});
            visits.push_back({right_cell(v.cell), false});
            visits.push_back({left_cell(v.cell), false});
        } else {
            Printed b = s.values.back();
            s.values.pop_back();
            s.values.back() = print_pair(s, s.values.back(), b);
        }
    }
    const Printed& whole = s.values.back();
    Bytes out;
    out.reserve(whole.size);
    for (std::size_t i = whole.head; i != kNone; i = s.pieces[i].next)
        out.append(s.pieces[i].bytes, s.pieces[i].size);
    return out;
}

}  // namespace vesk
