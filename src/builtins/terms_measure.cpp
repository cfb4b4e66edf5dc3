// rank, look and trim: the size of a value, one of its elements, and a part
// of a text.
#include <cstring>

#include "builtins/terms_parts.hpp"
#include "numbers/integers.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

std::optional<std::size_t> element_index(std::int64_t i, std::size_t length) {
    auto n = static_cast<std::int64_t>(length);  // texts stay far below 2^63
    if (i < 0) i += n;
    if (i < 0 || i >= n) return std::nullopt;
    return static_cast<std::size_t>(i);
}

std::uint64_t real_bits(const Term* t) {
    std::uint64_t bits;
    std::memcpy(&bits, leaf_chars(t) + 1, sizeof bits);
    return bits;
}

TermRef real_of_bits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return float_result(value);
}

std::optional<BitString> number_code(const Term* t) {
    return code_number(TermRef(const_cast<Term*>(t)));
}

namespace {

// The bytes look and trim index: a post's payload or a zits's stored text,
// read in place for a leaf and joined only for a zits pair.
struct IndexedText {
    Bytes joined;
    std::string_view view;
};
bool indexed_text(const Term* t, IndexedText& out) {
    switch (classify(t)) {
        case ValueKind::post: out.view = counted_payload(t); return true;
        case ValueKind::zits:
            if (is_leaf_cell(t)) {
                out.view = bracket_inner(t);
            } else {
                out.joined = zits_text(t);
                out.view = out.joined;
            }
            return true;
        default: return false;
    }
}

// Bit i of a number's bit list, as look reads it.
TermRef number_bit(Call& call, const Term* t, std::int64_t i) {
    std::optional<BitString> code = number_code(t);
    std::optional<std::size_t> length;
    if (!code || !(length = checked_list_length(*code))) return call.fail();
    std::optional<std::size_t> at = element_index(i, *length);
    if (!at) return call.fail();
    return call.truth(list_element(*at, *code));
}

// Bit i of a real's pattern: negative counts from 64, and 64 itself reads as
// a 0 bit just past the top.
TermRef real_bit(Call& call, const Term* t, std::int64_t i) {
    if (i < 0) i += 64;
    if (i < 0 || i > 64) return call.fail();
    if (i == 64) return call.truth(false);
    return call.truth(((real_bits(t) >> i) & 1u) != 0);
}

// A trim bound: negative counts from the end; empty when still negative or
// past the end.
std::optional<std::size_t> trim_bound(std::int64_t b, std::size_t length) {
    auto n = static_cast<std::int64_t>(length);
    if (b < 0) b += n;
    if (b < 0 || b > n) return std::nullopt;
    return static_cast<std::size_t>(b);
}

}  // namespace

TermRef rank_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::post: return unsigned_result(counted_payload(x).size());
        case ValueKind::real: return integer_result(8);
        case ValueKind::zits:
            if (is_leaf_cell(x)) return unsigned_result(bracket_inner(x).size());
            return unsigned_result(zits_text(x).size());
        case ValueKind::hint:
        case ValueKind::numb: {
            if (is_leaf_cell(x)) return unsigned_result(leaf_length(x));
            std::optional<Bytes> text = checked_decimal_text(TermRef(x));
            return text ? unsigned_result(text->size()) : call.fail();
        }
        case ValueKind::void_: break;
    }
    return call.fail();
}

TermRef look_handler(Call& call) {
    Term* t = call.args[0];
    std::optional<std::int64_t> i = integer_argument(call.args[1]);
    if (!i) return call.fail();
    switch (classify(t)) {
        case ValueKind::post:
        case ValueKind::zits: {
            IndexedText text;
            indexed_text(t, text);
            std::optional<std::size_t> at = element_index(*i, text.view.size());
            if (!at) return call.fail();
            return integer_result(static_cast<unsigned char>(text.view[*at]));
        }
        case ValueKind::hint:
        case ValueKind::numb: return number_bit(call, t, *i);
        case ValueKind::real: return real_bit(call, t, *i);
        case ValueKind::void_: break;
    }
    return call.fail();
}

// A zits part that would cut a nested group leaves unbalanced brackets and
// is refused, as dash refuses such a cut.
TermRef trim_handler(Call& call) {
    Term* t = call.args[0];
    IndexedText text;
    std::optional<std::int64_t> i = integer_argument(call.args[1]);
    std::optional<std::int64_t> j = integer_argument(call.args[2]);
    if (!indexed_text(t, text) || !i || !j) return call.fail();
    std::optional<std::size_t> from = trim_bound(*i, text.view.size());
    std::optional<std::size_t> to = trim_bound(*j, text.view.size());
    if (!from || !to || *from > *to) return call.fail();
    std::string_view part = text.view.substr(*from, *to - *from);
    if (classify(t) == ValueKind::post) return counted_leaf(part);
    return brackets_balance(part) ? bracket_leaf(part) : call.fail();
}

}  // namespace vesk
