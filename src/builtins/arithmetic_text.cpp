// The text cases of plus, dash and mult: joining, cutting and repeating the
// bytes of posts and the texts of zits.
#include <cstdio>

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

std::optional<TermRef> repeat_text(const Operand& text, const Operand& count) {
    std::optional<std::int64_t> n = exact_count(count.cell);
    if (!n || *n < 0) return std::nullopt;
    Bytes doubling = text_of(text);
    auto times = static_cast<std::uint64_t>(*n);
    if (!doubling.empty() && times > kMaxRepeatBytes / doubling.size()) return std::nullopt;
    Bytes result;
    result.reserve(doubling.size() * times);
    for (; times != 0; times >>= 1) {
        if (times & 1) result += doubling;
        if (times > 1) doubling += doubling;
    }
    return text_result(text.kind, result);
}

}  // namespace vesk
