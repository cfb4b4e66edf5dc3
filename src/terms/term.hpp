// Term cells: the immutable, reference-counted graph every value lives in.
//
// A cell is one allocation: a 64-bit header followed by the body.
//
//   bits  0-28  refs     owners of the cell; a new cell has 0 until its first
//                        handle takes it
//   bit  29     lifted   the term holds a lifted closure of the machine's
//                        (engine/lift.hpp) somewhere inside: set on the
//                        closure's head leaf and carried up by every pair
//                        built over it, so one bit read tells that a term
//                        must be given its written form before anyone else
//                        sees it
//   bits 30-55  span     a number or bracket leaf: its text length when below
//                        2^26 (else 0); after annotation: the data length of a
//                        data term, or the set of free one-letter variables
//                        (bit i is letter 'a' + i) of any other term
//   bits 56-61  arity    annotated arity, stored with a bias of 52 (-52..11)
//   bit  62     pending  annotated: the term still holds work
//   bit  63     leaf     1 for a leaf, 0 for a pair
//
// Bits 56-62 together are the annotation byte: 0 before annotation, exactly
// 0x40 for the data marker, anything else an arity and pending flag.
//
// A pair's body is two owning pointers, left then right, never null (24
// bytes in all). A leaf's body is its text followed by one NUL, inline, and
// the word just before its header (part of the same block) holds the text's
// length in its low 55 bits, in bit 55 whether the block ends in a value
// word, and the leaf's kind in its top 8. The kind is
// fixed by the text's first byte when the leaf is made:
//   ' '  raw leaf      exactly 9 bytes: the blank and 8 bytes of a double
//   0-9  number leaf   its digits
//   '['  bracket leaf  a bracket-balanced text
//   '('  counted leaf  "(" base-64 digits ")" then that many payload bytes
//   else name leaf     up to its first NUL
// A number leaf that an integer result made may end in one more word, just
// after the word that holds its NUL: the value of its digits as a 64-bit
// integer, written when the leaf is made, so that reading the number back
// needs no parse. Only leaves of at most 18 digits carry it, and a number
// leaf's text is never written after it is made.
// Blocks are whole 8-byte words (see cells.hpp), so every aligned word
// that holds a byte of the text or its NUL lies inside the leaf's block: a
// reader may load the text a word at a time and mask off what follows.
// Neither the kind nor the length is ever read back from the text, so a
// write into a leaf's text (which built-ins may allow) can change neither:
// every later read and the final free stay inside the cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "terms/assert.hpp"
#include "terms/cells.hpp"

namespace vesk {

// Texts are byte strings that may hold NUL bytes.
using Bytes = std::string;

struct Term {
    std::uint64_t header;
};

namespace header {
inline constexpr std::uint64_t kRefsMask = (std::uint64_t{1} << 29) - 1;
inline constexpr std::uint64_t kLifted = std::uint64_t{1} << 29;
inline constexpr int kSpanShift = 30;
inline constexpr std::uint64_t kSpanMask = ((std::uint64_t{1} << 26) - 1) << kSpanShift;
inline constexpr std::uint32_t kSpanLimit = std::uint32_t{1} << 26;
inline constexpr int kArityShift = 56;
inline constexpr std::uint64_t kArityMask = std::uint64_t{0x3f} << kArityShift;
inline constexpr int kArityBias = 52;
inline constexpr std::uint64_t kPending = std::uint64_t{1} << 62;
inline constexpr std::uint64_t kLeaf = std::uint64_t{1} << 63;
inline constexpr std::uint8_t kDataMarker = 0x40;
}  // namespace header

// ---- Raw cell access (borrowed pointers; no counting) ----------------------

enum class LeafKind : std::uint8_t { raw, number, bracket, counted, name };

namespace header {
inline constexpr std::uint64_t kLengthMask = (std::uint64_t{1} << 55) - 1;
inline constexpr std::uint64_t kValueWord = std::uint64_t{1} << 55;
inline constexpr int kKindShift = 56;
}  // namespace header

// The word before a leaf's header (see above).
inline std::uint64_t leaf_word(const Term* t) {
    return reinterpret_cast<const std::uint64_t*>(t)[-1];
}

inline bool is_leaf_cell(const Term* t) {
    return (t->header & header::kLeaf) != 0;
}
inline Term* const* pair_children(const Term* t) {
    return reinterpret_cast<Term* const*>(t + 1);
}
[[nodiscard]] inline Term* left_cell(const Term* t) {
    return pair_children(t)[0];
}
[[nodiscard]] inline Term* right_cell(const Term* t) {
    return pair_children(t)[1];
}
inline const char* leaf_chars(const Term* t) {
    return reinterpret_cast<const char*>(t + 1);
}
// The kind of a leaf (t must be a leaf).
inline LeafKind leaf_kind(const Term* t) {
    return static_cast<LeafKind>(leaf_word(t) >> header::kKindShift);
}
// The length of a leaf's text (t must be a leaf).
inline std::size_t leaf_length(const Term* t) {
    return static_cast<std::size_t>(leaf_word(t) & header::kLengthMask);
}
// Whether the leaf t's block ends in a value word (t must be a leaf).
inline bool has_value_word(const Term* t) {
    return (leaf_word(t) & header::kValueWord) != 0;
}
// The value word of a leaf that has one: it follows the aligned word that
// holds the NUL after the text.
inline std::int64_t value_word(const Term* t) {
    std::size_t text_words = (leaf_length(t) + 8) / 8;
    std::int64_t v;
    std::memcpy(&v, reinterpret_cast<const char*>(t + 1) + 8 * text_words, sizeof v);
    return v;
}
// The kind a text makes a leaf of, by its first byte.
LeafKind kind_of_text(std::string_view text);
// First text byte of a leaf, 0 for a pair.
inline unsigned char first_byte(const Term* t) {
    return is_leaf_cell(t) ? static_cast<unsigned char>(leaf_chars(t)[0]) : 0;
}
// Whether the term holds a lifted closure (see the header above).
inline bool holds_lifted(const Term* t) {
    return (t->header & header::kLifted) != 0;
}
inline std::uint32_t refs_of(const Term* t) {
    return static_cast<std::uint32_t>(t->header & header::kRefsMask);
}
inline std::uint32_t span_of(const Term* t) {
    return static_cast<std::uint32_t>((t->header & header::kSpanMask) >> header::kSpanShift);
}
inline std::uint8_t annotation_byte(const Term* t) {
    return static_cast<std::uint8_t>((t->header >> header::kArityShift) & 0x7f);
}
inline bool is_annotated(const Term* t) {
    return annotation_byte(t) != 0;
}
inline bool is_data_cell(const Term* t) {
    return annotation_byte(t) == header::kDataMarker;
}
inline bool pending_of(const Term* t) {
    return (t->header & header::kPending) != 0;
}
// The stored arity minus its bias. Meaningful once annotated.
inline int stored_arity(const Term* t) {
    return static_cast<int>((t->header & header::kArityMask) >> header::kArityShift) -
           header::kArityBias;
}

// Stores value + 52 in the arity bits, keeping pending and leaf. Annotation only.
void set_arity(Term* t, int value);
// Stores value in the span bits. Annotation only.
void set_span(Term* t, std::uint32_t value);
inline void set_pending(Term* t, bool on) {
    t->header = on ? (t->header | header::kPending) : (t->header & ~header::kPending);
}
// Marks a cell as inert data (annotation byte 0x40).
inline void set_data_marker(Term* t) {
    t->header = (t->header & ~(header::kArityMask | header::kPending)) | header::kPending;
}

// True when t is a leaf whose whole text is the one byte c.
inline bool is_byte_leaf(const Term* t, char c) {
    return is_leaf_cell(t) && leaf_length(t) == 1 && leaf_chars(t)[0] == c;
}

// Adds one owner. Asserts when the count would wrap.
inline void retain(Term* t) {
    VESK_ASSERT((t->header & header::kRefsMask) != header::kRefsMask);
    t->header++;
}
// Frees a cell whose count reached zero, and every pair and leaf that loses
// its last owner with it, without recursion.
void destroy_cell(Term* t);
// Gives back one owner; the cell is freed at zero. The count never borrows
// into span, because it is asserted non-zero first.
inline void release(Term* t) {
    VESK_ASSERT((t->header & header::kRefsMask) != 0);
    t->header--;
    if ((t->header & header::kRefsMask) == 0) destroy_cell(t);
}

// New leaf cell, refs 0, holding a copy of `text` (borrowed).
[[nodiscard]] Term* make_leaf(std::string_view text);

// A leaf built in place, for texts too large to build twice: room for `n`
// text bytes (and the NUL after them), which the caller writes through
// blank_leaf_body and then seals; no handle may take the cell before. The
// written text must be one that make_leaf would keep whole (its kind's
// length is n).
[[nodiscard]] Term* make_blank_leaf(std::size_t n);
inline char* blank_leaf_body(Term* t) {
    return reinterpret_cast<char*>(t + 1);
}
void seal_leaf(Term* t, std::size_t n);
// seal_leaf for a text the caller knows to be n decimal digits (the hot
// path of integer results, which skips finding the kind).
void seal_number_leaf(Term* t, std::size_t n);
// make_blank_leaf for the n digits of an integer result whose value
// (at most 18 digits) is `value`: the block ends in its value word. The
// caller writes the digits and seals with seal_number_leaf.
[[nodiscard]] Term* make_integer_leaf(std::size_t n, std::int64_t value);
// The size of a pair cell: the header and two child pointers.
inline constexpr std::size_t kPairBytes = sizeof(Term) + 2 * sizeof(Term*);
// New pair cell, refs 0, taking over one owner of each child. Inline: the
// machine builds a pair on almost every step.
[[nodiscard]] inline Term* make_pair_cell(Term* left, Term* right) {
    Term* t = static_cast<Term*>(allocate_cell(kPairBytes));
    t->header = 0;
    Term** children = reinterpret_cast<Term**>(t + 1);
    children[0] = left;
    children[1] = right;
    return t;
}

// ---- TermRef: the owning handle --------------------------------------------

// Holds one owner of a cell. Never null while alive, except after being
// moved from (a moved-from handle may only be destroyed or assigned to).
struct TermRef {
    Term* cell;

    // Takes one owner of an existing cell (borrows the pointer).
    explicit TermRef(Term* c) : cell(c) {
        VESK_ASSERT(c != nullptr);
        retain(c);
    }
    // A leaf of the NUL-terminated text; asserts on a null pointer.
    explicit TermRef(const char* text);
    // A leaf of the bytes, consumed: the string is left empty.
    explicit TermRef(Bytes&& text);

    TermRef(const TermRef& other) : cell(other.cell) { retain(cell); }
    TermRef(TermRef&& other) noexcept : cell(other.cell) { other.cell = nullptr; }
    ~TermRef() {
        if (cell != nullptr) release(cell);
    }
    TermRef& operator=(const TermRef& other) {
        VESK_ASSERT(other.cell != nullptr);
        if (cell != other.cell) {
            retain(other.cell);
            if (cell != nullptr) release(cell);
            cell = other.cell;
        }
        return *this;
    }
    TermRef& operator=(TermRef&& other) noexcept {
        if (this != &other) {
            Term* old = cell;
            cell = other.cell;
            other.cell = nullptr;
            if (old != nullptr) release(old);
        }
        return *this;
    }

    // Hands the owner to the caller as a raw pointer; the handle becomes empty.
    Term* take() {
        Term* c = cell;
        cell = nullptr;
        return c;
    }
    // Makes a handle from an owner the caller already holds (no retain).
    static TermRef adopt(Term* c) {
        VESK_ASSERT(c != nullptr);
        TermRef r(AdoptTag{}, c);
        return r;
    }
    Term* get() const { return cell; }

   private:
    struct AdoptTag {};
    TermRef(AdoptTag, Term* c) : cell(c) {}
};

// A leaf handle of the text (borrowed).
[[nodiscard]] inline TermRef leaf_term(std::string_view text) {
    return TermRef(make_leaf(text));
}

// Pair of the two handles, both consumed.
[[nodiscard]] TermRef make_pair(TermRef left, TermRef right);
// Left-nested application, arguments borrowed: (((f a) b) c).
[[nodiscard]] TermRef apply(const TermRef& f, const TermRef& a);
[[nodiscard]] TermRef apply(const TermRef& f, const TermRef& a, const TermRef& b);
[[nodiscard]] TermRef apply(const TermRef& f, const TermRef& a, const TermRef& b, const TermRef& c);
// Consuming variant: ((f a) b), dropping all three handles.
[[nodiscard]] TermRef apply_consume(TermRef f, TermRef a, TermRef b);

// Accessors (handles borrowed).
inline bool is_pair(const TermRef& t) {
    return !is_leaf_cell(t.cell);
}
// The children, retained. Assert on a leaf.
[[nodiscard]] TermRef left(const TermRef& t);
[[nodiscard]] TermRef right(const TermRef& t);
// The leaf's text by its kind; empty for a pair.
Bytes leaf_text(const TermRef& t);
// The same as a view into the cell, valid while the cell lives.
inline std::string_view leaf_view(const Term* t) {
    if (!is_leaf_cell(t)) return {};
    return {leaf_chars(t), leaf_length(t)};
}
inline unsigned char first_char(const TermRef& t) {
    return first_byte(t.cell);
}

// Total order (both consumed): 1 when a orders first, -1 when b does, 0 when
// equal. Leaves order before pairs; leaves compare bytewise with a proper
// prefix first; pairs compare left children, then right children. Counted
// leaves compare their whole texts, payload included.
int compare_terms(TermRef a, TermRef b);
// The same on borrowed cells.
int compare_cells(const Term* a, const Term* b);

}  // namespace vesk
