// The text cases of plus, dash and mult: joining, cutting and repeating the
// bytes of posts and the texts of zits.
#include <cstdio>
#include <cstring>

#include "builtins/arithmetic_parts.hpp"
#include "numbers/dyadic.hpp"
#include "numbers/integers.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

Bytes text_of(const Operand& x) {
    if (x.kind == ValueKind::post) return Bytes(counted_payload(x.cell));
    return zits_text(x.cell);
}

TermRef text_result(ValueKind kind, std::string_view text) {
    return kind == ValueKind::post ? counted_leaf(text) : bracket_leaf(text);
}

// A count given as an integer, when its value fits a signed 64-bit host value.
std::optional<std::int64_t> exact_count(Term* t) {
    std::optional<Dyadic> value = read_hint(t);
    if (!value || !natural_fits_u64(value->magnitude)) return std::nullopt;
    std::uint64_t m = natural_to_u64(value->magnitude);
    if (m > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
    auto n = static_cast<std::int64_t>(m);
    return value->negative ? -n : n;
}

}  // namespace

std::optional<Bytes> join_text(const Operand& x) {
    switch (x.kind) {
        case ValueKind::post:
        case ValueKind::zits: return text_of(x);
        case ValueKind::real: {
            char buffer[99];
            int n = std::snprintf(buffer, sizeof buffer, "%e", *float_argument(x.cell));
            if (n < 0) return std::nullopt;
            return Bytes(buffer, std::min<std::size_t>(static_cast<std::size_t>(n), 98));
        }
        case ValueKind::hint:
        case ValueKind::numb: return checked_decimal_text(TermRef(x.cell));
        case ValueKind::void_: break;
    }
    return std::nullopt;
}

std::optional<TermRef> join_texts(const Operand& a, const Operand& b) {
    std::optional<Bytes> x = join_text(a), y = join_text(b);
    if (!x || !y) return std::nullopt;
    bool post = a.kind == ValueKind::post || b.kind == ValueKind::post;
    return text_result(post ? ValueKind::post : ValueKind::zits, *x + *y);
}

std::optional<TermRef> cut_text(const Operand& text, const Operand& count) {
    std::optional<std::int64_t> n = exact_count(count.cell);
    if (!n) return std::nullopt;
    Bytes bytes = text_of(text);
    std::uint64_t m = *n < 0 ? static_cast<std::uint64_t>(-*n) : static_cast<std::uint64_t>(*n);
    if (m > bytes.size()) return std::nullopt;
    std::string_view view = bytes;
    view = *n > 0 ? view.substr(m) : view.substr(0, view.size() - m);
    if (text.kind == ValueKind::zits && !brackets_balance(view)) return std::nullopt;
    return text_result(text.kind, view);
}

// The unit `times` times over, one append at a time.
static Bytes repeated(const Bytes& unit, std::uint64_t times) {
    Bytes result;
    result.reserve(unit.size() * times);
    for (; times != 0; --times) result += unit;
    return result;
}

// The result is written straight into its leaf, so that an allowed
// repetition costs its own size: the operand's bytes once, then the
// written part copied after itself until the payload is full (the same
// bytes as doubling over the bits of n).
std::optional<TermRef> repeat_text(const Operand& text, const Operand& count) {
    std::optional<std::int64_t> n = exact_count(count.cell);
    if (!n || *n < 0) return std::nullopt;
    Bytes unit = text_of(text);
    auto times = static_cast<std::uint64_t>(*n);
    if (!unit.empty() && times > kMaxRepeatBytes / unit.size()) return std::nullopt;
    std::size_t payload = unit.empty() ? 0 : unit.size() * times;
    bool post = text.kind == ValueKind::post;
    // An unbalanced zits cannot be sealed as a leaf of its full length once
    // it is long; the copying path keeps what make_leaf keeps.
    if (!post && !brackets_balance(unit)) return text_result(text.kind, repeated(unit, times));
    Bytes head = post ? counted_prefix(payload) : Bytes("[");
    std::size_t tail = post ? 0 : 1;
    Term* leaf = make_blank_leaf(head.size() + payload + tail);
    char* out = blank_leaf_body(leaf);
    std::memcpy(out, head.data(), head.size());
    out += head.size();
    std::size_t filled = payload == 0 ? 0 : unit.size();
    if (filled != 0) std::memcpy(out, unit.data(), filled);
    while (filled < payload) {
        std::size_t more = payload - filled < filled ? payload - filled : filled;
        std::memcpy(out + filled, out, more);
        filled += more;
    }
    if (!post) out[payload] = ']';
    seal_leaf(leaf, head.size() + payload + tail);
    return TermRef(leaf);
}

}  // namespace vesk
