// The parser's state. Text is read once, left to right: operators go to an
// operator stack and are combined by precedence as they are met, operands
// to a value stack. A bracket group that needs a parse of its own pushes a
// frame for it, which ends at the group's closing bracket (the text is
// bracket-balanced), so no bracket is paired ahead and the depth of the
// text's nesting never reaches the C stack.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

enum class FrameKind : std::uint8_t {
    range,       // a range read from the loosest level, leaving one term
    call_list,   // the items of "f(a,b)", each applied to the term below them
    brace_list,  // the items of "{a,b}", folded with ',' from the right
};

// The operand being read between two operators (or a range's edges):
// leading affixes, then chunks of atoms with affix runs between them, then
// trailing affixes. A run is known to be inner only when an atom follows
// it; while that atom's chunk is read no other run is open, so one pair of
// fields holds either the run waiting to be placed or the inner one.
struct Segment {
    std::size_t begin = 0;
    std::size_t lead_end = 0;   // leading affixes are [begin, lead_end) once `body` is set
    std::size_t run_begin = 0;  // the last affix run after the body (empty:
    std::size_t run_end = 0;    //   begin == end), pending or, when `inner`, inner
    bool body = false;          // an atom was met
    bool inner = false;         // the run's chunk is read: its term is on top of the body's
    bool chunk_first = true;    // the next atom starts a chunk
};

// One frame a group opened. Nesting depth costs a frame each, so a frame
// is kept small: the end of the text read is the machine's, and one count
// serves a range (the operators below its own) and a list (its items).
struct Frame {
    FrameKind kind = FrameKind::range;
    bool comma_ends = false;   // range: a list item, ended by a top-level comma
    bool started = false;      // list: an item has been asked for
    bool more = false;         // list: the item just read ended at a comma
    bool after_brace = false;  // range: waits for the brace list of a '{' it met
    std::size_t pos = 0;       // range: the next byte; list: where the next item starts
    std::size_t base = 0;      // range: its operators are ops[base...]; list: items read
    Segment segment;           // range only
};

struct Operator {
    char ch;
    std::uint8_t level;
};

// The leaves of the longer atoms met so far, by text: open addressing with
// linear probing over a power-of-two array, at most half full. Atoms are
// short names and numbers, hashed a byte at a time; each slot owns one
// reference to its leaf, whose own text is the key.
struct TextLeaves {
    std::vector<Term*> slots;
    std::size_t used = 0;

    TextLeaves() = default;
    TextLeaves(const TextLeaves&) = delete;
    TextLeaves& operator=(const TextLeaves&) = delete;
    TextLeaves(TextLeaves&& other) noexcept
        : slots(std::move(other.slots)), used(std::exchange(other.used, 0)) {}
    TextLeaves& operator=(TextLeaves&&) = delete;
    ~TextLeaves() {
        for (Term* leaf : slots)
            if (leaf != nullptr) release(leaf);
    }
};

struct ParseMachine {
    std::string_view text;
    std::size_t end = 0;   // the end of the text the current read covers
    std::size_t stop = 0;  // where the last range read stopped
    std::vector<Frame> frames;
    std::vector<Operator> ops;
    std::vector<TermRef> values;
    // One shared leaf per single byte: operators, capitals, the empty leaf.
    std::array<std::optional<TermRef>, 256> byte_leaves;
    // One shared leaf per distinct longer atom (names, numbers, square
    // literals), keyed by views into `text`. A program names the same few
    // things again and again: one cell for all of a text's places keeps a
    // large program's parsed form about a third smaller, and the sharing
    // pass would make them one cell in the end anyway.
    TextLeaves text_leaves;
};

// How the first frame of a read starts: a whole expression, a piece of a
// program that a top-level comma ends, or a brace list's items.
enum class RangeStart : std::uint8_t { expression, piece, brace_list };

// The term of the text from `begin` read as `start` says, up to `end` or,
// for a piece, a top-level comma; `stop` receives where the read stopped.
// The machine's text (borrowed) must be bracket-balanced from `begin` on.
[[nodiscard]] TermRef parse_range(ParseMachine& m, std::size_t begin, std::size_t end,
                                  RangeStart start, std::size_t& stop);
// The shared leaf of one byte.
[[nodiscard]] TermRef byte_leaf(ParseMachine& m, unsigned char c);
// The shared leaf of a text of the machine's own text (a view into it).
[[nodiscard]] TermRef text_leaf(ParseMachine& m, std::string_view atom);

// The steps of the frame on top, which either finishes it (popping it and
// leaving its term) or pushes a frame for a group and returns.
void step_range(ParseMachine& m);
void step_list(ParseMachine& m);

// Index just past the atom that starts at `a` (no operator, affix, closing
// bracket or ending comma) in a range ending at `end`.
std::size_t atom_end(const ParseMachine& m, std::size_t a, std::size_t end, bool comma_ends);
// The term of the atom [a, stop), which is not parenthesised.
[[nodiscard]] TermRef atom_term(ParseMachine& m, std::size_t a, std::size_t stop);

}  // namespace vesk
