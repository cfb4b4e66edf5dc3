// The text cases of plus, dash and mult: joining, cutting and repeating the
// bytes of posts and the texts of zits.
#include <cstdio>

#include "builtins/arithmetic_parts.hpp"
#include "builtins/numb_value.hpp"
#include "engine/unfold.hpp"
#include "numbers/integers.hpp"

namespace vesk {

namespace {

Bytes text_of(const Operand& x) {
    if (x.kind == ValueKind::post) return Bytes(counted_payload(TermRef(x.cell)));
    return zits_text(x.cell);
}

TermRef text_result(ValueKind kind, std::string_view text) {
    if (kind == ValueKind::post) return counted_leaf(text);
    Bytes leaf = "[";
    leaf.append(text);
    leaf.push_back(']');
    return TermRef(std::move(leaf));
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

// A zits text must keep its brackets balanced: bracket operations on the
// result rely on it.
bool balanced(std::string_view text) {
    long depth = 0;
    for (char c : text) {
        if (c == '[') ++depth;
        if (c == ']' && --depth < 0) return false;
    }
    return depth == 0;
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

TermRef join_texts(const Operand& a, const Operand& b) {
    std::optional<Bytes> x = join_text(a), y = join_text(b);
    if (!x || !y) return failure_result();
    bool post = a.kind == ValueKind::post || b.kind == ValueKind::post;
    return text_result(post ? ValueKind::post : ValueKind::zits, *x + *y);
}

TermRef cut_text(const Operand& text, const Operand& count) {
    std::optional<std::int64_t> n = exact_count(count.cell);
    if (!n) return failure_result();
    Bytes bytes = text_of(text);
    std::uint64_t m = *n < 0 ? static_cast<std::uint64_t>(-*n) : static_cast<std::uint64_t>(*n);
    if (m > bytes.size()) return failure_result();
    std::string_view view = bytes;
    view = *n > 0 ? view.substr(m) : view.substr(0, view.size() - m);
    if (text.kind == ValueKind::zits && !balanced(view)) return failure_result();
    return text_result(text.kind, view);
}

TermRef repeat_text(const Operand& text, const Operand& count) {
    std::optional<std::int64_t> n = exact_count(count.cell);
    if (!n || *n < 0) return failure_result();
    Bytes doubling = text_of(text);
    auto times = static_cast<std::uint64_t>(*n);
    if (!doubling.empty() && times > kMaxRepeatBytes / doubling.size()) return failure_result();
    Bytes result;
    result.reserve(doubling.size() * times);
    for (; times != 0; times >>= 1) {
        if (times & 1) result += doubling;
        if (times > 1) doubling += doubling;
    }
    return text_result(text.kind, result);
}

}  // namespace vesk
