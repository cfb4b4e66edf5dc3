#include "terms/term.hpp"

#include <cstring>
#include <optional>
#include <vector>

#include "terms/cells.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

// The number of bytes a leaf made from `text` keeps: the kind's own length.
// Raw and counted texts that come short are padded with NUL bytes; a counted
// text whose head is malformed keeps what it has.
std::size_t kept_length(std::string_view text, LeafKind kind) {
    switch (kind) {
        case LeafKind::raw: return 9;
        case LeafKind::counted: {
            std::optional<CountedHead> head = read_counted_head(text);
            return head ? head->close + 1 + head->payload : text.size();
        }
        case LeafKind::number:
        case LeafKind::bracket: return text.size();
        case LeafKind::name: break;
    }
    std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text.size() : nul;
}

// A leaf's block: the length-and-kind word, the header, the text and a NUL.
inline constexpr std::size_t kLeafOverhead = sizeof(std::uint64_t) + sizeof(Term) + 1;

// Writes the length-and-kind word of the leaf t. Number and bracket leaves
// keep their length in span as well, where annotation reads the length of
// data.
void stamp_leaf(Term* t, std::size_t n, LeafKind kind, std::uint64_t value_word = 0) {
    auto* word = reinterpret_cast<std::uint64_t*>(t) - 1;
    *word = n | value_word | (static_cast<std::uint64_t>(kind) << header::kKindShift);
    bool spans = kind == LeafKind::number || kind == LeafKind::bracket;
    if (spans && n < header::kSpanLimit) {
        t->header |= static_cast<std::uint64_t>(n) << header::kSpanShift;
    }
}

void free_leaf(Term* t) {
    std::size_t extra = has_value_word(t) ? sizeof(std::int64_t) : 0;
    free_cell(reinterpret_cast<std::uint64_t*>(t) - 1, kLeafOverhead + leaf_length(t) + extra);
}

}  // namespace

void set_arity(Term* t, int value) {
    VESK_ASSERT(value <= 11);
    VESK_ASSERT(value >= -header::kArityBias);
    std::uint64_t stored = static_cast<std::uint64_t>(value + header::kArityBias);
    VESK_ASSERT(stored < 64);
    t->header = (t->header & ~header::kArityMask) | (stored << header::kArityShift);
}

void set_span(Term* t, std::uint32_t value) {
    VESK_ASSERT(value < header::kSpanLimit);
    t->header = (t->header & ~header::kSpanMask) |
                (static_cast<std::uint64_t>(value) << header::kSpanShift);
}

LeafKind kind_of_text(std::string_view text) {
    if (text.empty()) return LeafKind::name;
    unsigned char c = static_cast<unsigned char>(text[0]);
    if (c == ' ') return LeafKind::raw;
    if (c >= '0' && c <= '9') return LeafKind::number;
    if (c == '[') return LeafKind::bracket;
    if (c == '(') return LeafKind::counted;
    return LeafKind::name;
}

Term* make_leaf(std::string_view text) {
    LeafKind kind = kind_of_text(text);
    std::size_t n = kept_length(text, kind);
    auto* word = static_cast<std::uint64_t*>(allocate_cell(kLeafOverhead + n));
    Term* t = reinterpret_cast<Term*>(word + 1);
    char* body = reinterpret_cast<char*>(t + 1);
    std::size_t copied = n < text.size() ? n : text.size();
    std::memcpy(body, text.data(), copied);
    std::memset(body + copied, 0, n + 1 - copied);
    t->header = header::kLeaf;
    stamp_leaf(t, n, kind);
    return t;
}

namespace {

// A blank leaf of n text bytes; `value_word` is 0 or kValueWord, which
// makes room for the value word after the text.
Term* blank_leaf(std::size_t n, std::uint64_t value_word) {
    std::size_t extra = value_word != 0 ? sizeof(std::int64_t) : 0;
    auto* word = static_cast<std::uint64_t*>(allocate_cell(kLeafOverhead + n + extra));
    // The length is known now, the kind once the text is written.
    *word = n | value_word | (static_cast<std::uint64_t>(LeafKind::name) << header::kKindShift);
    Term* t = reinterpret_cast<Term*>(word + 1);
    t->header = header::kLeaf;
    blank_leaf_body(t)[n] = '\0';
    return t;
}

}  // namespace

Term* make_blank_leaf(std::size_t n) {
    return blank_leaf(n, 0);
}

void seal_leaf(Term* t, std::size_t n) {
    std::string_view text(blank_leaf_body(t), n);
    LeafKind kind = kind_of_text(text);
    VESK_ASSERT(n == leaf_length(t) && kept_length(text, kind) == n && !has_value_word(t));
    stamp_leaf(t, n, kind);
}

void seal_number_leaf(Term* t, std::size_t n) {
    VESK_ASSERT(n == leaf_length(t) && n > 0);
    stamp_leaf(t, n, LeafKind::number, leaf_word(t) & header::kValueWord);
}

Term* make_integer_leaf(std::size_t n, std::int64_t value) {
    VESK_ASSERT(n <= 19);  // 18 digits and a sign
    Term* t = blank_leaf(n, header::kValueWord);
    std::memcpy(blank_leaf_body(t) + 8 * ((n + 8) / 8), &value, sizeof value);
    return t;
}

// Frees dead cells with a work list threaded through the dead pairs' own
// headers: a pair whose count reached zero keeps its children readable and
// its header word, no longer needed, links it to the next pair to free.
void destroy_cell(Term* t) {
    if (is_leaf_cell(t)) {
        free_leaf(t);
        return;
    }
    t->header = 0;
    Term* todo = t;
    while (todo != nullptr) {
        Term* pair = todo;
        todo = reinterpret_cast<Term*>(pair->header);
        for (int side = 0; side < 2; ++side) {
            Term* child = pair_children(pair)[side];
            VESK_ASSERT((child->header & header::kRefsMask) != 0);
            child->header--;
            if ((child->header & header::kRefsMask) != 0) continue;
            if (is_leaf_cell(child)) {
                free_leaf(child);
            } else {
                child->header = reinterpret_cast<std::uint64_t>(todo);
                todo = child;
            }
        }
        free_cell(pair, kPairBytes);
    }
}

TermRef::TermRef(const char* text) : cell(nullptr) {
    VESK_ASSERT(text != nullptr);
    cell = make_leaf(text);
    retain(cell);
}

TermRef::TermRef(Bytes&& text) : cell(make_leaf(text)) {
    retain(cell);
    text.clear();
}

TermRef make_pair(TermRef left, TermRef right) {
    Term* t = make_pair_cell(left.take(), right.take());
    return TermRef(t);
}

TermRef apply(const TermRef& f, const TermRef& a) {
    return make_pair(f, a);
}
TermRef apply(const TermRef& f, const TermRef& a, const TermRef& b) {
    return make_pair(make_pair(f, a), b);
}
TermRef apply(const TermRef& f, const TermRef& a, const TermRef& b, const TermRef& c) {
    return make_pair(make_pair(make_pair(f, a), b), c);
}
TermRef apply_consume(TermRef f, TermRef a, TermRef b) {
    return make_pair(make_pair(std::move(f), std::move(a)), std::move(b));
}

TermRef left(const TermRef& t) {
    VESK_ASSERT(!is_leaf_cell(t.cell));
    Term* child = left_cell(t.cell);
    VESK_ASSERT(child != nullptr);
    return TermRef(child);
}

TermRef right(const TermRef& t) {
    VESK_ASSERT(!is_leaf_cell(t.cell));
    Term* child = right_cell(t.cell);
    VESK_ASSERT(child != nullptr);
    return TermRef(child);
}

Bytes leaf_text(const TermRef& t) {
    return Bytes(leaf_view(t.cell));
}

namespace {

int compare_bytes(std::string_view a, std::string_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    int d = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (d < 0) return 1;
    if (d > 0) return -1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? 1 : -1;
}

int compare_leaves(const Term* a, const Term* b) {
    bool counted_a = leaf_kind(a) == LeafKind::counted;
    bool counted_b = leaf_kind(b) == LeafKind::counted;
    if (counted_a && counted_b) return compare_bytes(counted_payload(a), counted_payload(b));
    // A counted leaf against another leaf: measured by its payload count but
    // compared from its first byte.
    std::string_view ta = leaf_view(a);
    std::string_view tb = leaf_view(b);
    if (counted_a) ta = std::string_view(ta.data(), counted_payload(a).size());
    if (counted_b) tb = std::string_view(tb.data(), counted_payload(b).size());
    return compare_bytes(ta, tb);
}

}  // namespace

// Walks both terms in step with an explicit stack of right children still
// to compare, so deep spines do not recurse.
int compare_cells(const Term* a, const Term* b) {
    std::vector<std::pair<const Term*, const Term*>> later;
    for (;;) {
        int result = 0;
        if (a != b) {
            bool leaf_a = is_leaf_cell(a);
            bool leaf_b = is_leaf_cell(b);
            if (leaf_a && leaf_b) {
                result = compare_leaves(a, b);
            } else if (leaf_a != leaf_b) {
                result = leaf_a ? 1 : -1;
            } else {
                // Equal right children (common in shared terms) need no visit.
                if (right_cell(a) != right_cell(b))
                    later.emplace_back(right_cell(a), right_cell(b));
                a = left_cell(a);
                b = left_cell(b);
                continue;
            }
        }
        if (result != 0 || later.empty()) return result;
        a = later.back().first;
        b = later.back().second;
        later.pop_back();
    }
}

int compare_terms(TermRef a, TermRef b) {
    return compare_cells(a.cell, b.cell);
}

}  // namespace vesk
