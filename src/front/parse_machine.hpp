// The parser's work stack. A task either parses a range of the text, and
// so in the end leaves exactly one term on the value stack, or combines the
// terms on top of the value stack into one. Grammar levels that would
// recurse push tasks instead, so the depth of the text's nesting never
// reaches the C stack.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "front/bracket_table.hpp"
#include "terms/term.hpp"

namespace vesk {

enum class ParseStep : std::uint8_t {
    levels,      // range from `level` (1-8) down: split at the loosest operators
    affixes,     // range at the affix levels 9-11
    chunk,       // atoms of a range; `level` 1 when the term so far is on top
    brace_list,  // comma list between braces
    call_list,   // call list, applied piece by piece to the term on top
    combine,     // pop R, L; push op L R, or (L R) for a blank or newline
    brace,       // pop acc, B, L; push { L B acc
    wrap,        // pop X; push (a X) with a the leaf of `ch`
};

struct ParseTask {
    ParseStep step;
    std::uint8_t level;
    char ch;
    std::size_t begin;
    std::size_t end;
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
    BracketTable brackets;
    std::vector<ParseTask> tasks;
    std::vector<TermRef> values;
    std::vector<std::size_t> scratch;
    // One shared leaf per single byte: operators, capitals, the empty leaf.
    std::array<std::optional<TermRef>, 256> byte_leaves;
    // One shared leaf per distinct longer atom (names, numbers, square
    // literals), keyed by views into `text`. A program names the same few
    // things again and again: one cell for all of a text's places keeps a
    // large program's parsed form about a third smaller, and the sharing
    // pass would make them one cell in the end anyway.
    TextLeaves text_leaves;
};

// A machine over `text` (borrowed: it must outlive the machine), with its
// brackets paired. Requires balanced brackets.
ParseMachine make_parse_machine(std::string_view text);
// Runs the tasks until none is left and returns the one term they leave.
[[nodiscard]] TermRef run_parse_machine(ParseMachine& m);
// The shared leaf of one byte.
[[nodiscard]] TermRef byte_leaf(ParseMachine& m, unsigned char c);
// The shared leaf of a text of the machine's own text (a view into it).
[[nodiscard]] TermRef text_leaf(ParseMachine& m, std::string_view atom);

// Steps of the grammar, each performed for the task on top (already popped).
void parse_levels(ParseMachine& m, const ParseTask& t);
void parse_affixes(ParseMachine& m, const ParseTask& t);
void parse_chunk(ParseMachine& m, const ParseTask& t);
// Pushes the tasks of a comma-separated list: a brace list folds its items
// with ',' from the right, a call list applies them in turn.
void parse_comma_list(ParseMachine& m, const ParseTask& t);

}  // namespace vesk
