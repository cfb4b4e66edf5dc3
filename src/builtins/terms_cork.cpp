// cork: element i of a value replaced, with the index rules of look.
//
// A post or zits leaf that the call alone holds (Call::holds_only_reference:
// no other owner, no shared parent, not in the sharing table, which keeps a
// reference of its own to every cell it hands out) is changed in place and
// returned itself; any other is copied with the change, so no other holder
// ever sees a value move.
#include <cstring>

#include "builtins/terms_parts.hpp"
#include "numbers/integers.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

TermRef cork_post(Call& call, Term* t, std::int64_t i, Term* v) {
    std::optional<std::int64_t> value = integer_argument(v);
    if (!value) return call.fail();
    std::string_view bytes = counted_payload(t);
    std::optional<std::size_t> at = element_index(i, bytes.size());
    if (!at) return call.fail();
    char byte = static_cast<char>(*value & 0xff);
    if (call.holds_only_reference(0)) {
        (*writable_address(t))[*at] = byte;
        return TermRef(t);
    }
    Bytes changed(bytes);
    changed[*at] = byte;
    return counted_leaf(changed);
}

bool is_square(char c) {
    return c == '[' || c == ']';
}

// Neither the old nor the new byte may be a square bracket, so the text's
// groups stay as they were. A zits pair is answered with one new leaf.
TermRef cork_zits(Call& call, Term* t, std::int64_t i, Term* v) {
    std::optional<std::int64_t> code = integer_argument(v);
    if (!code || *code < 0 || *code > 255 || is_square(static_cast<char>(*code))) {
        return call.fail();
    }
    Bytes text = is_leaf_cell(t) ? Bytes(bracket_inner(t)) : zits_text(t);
    std::optional<std::size_t> at = element_index(i, text.size());
    if (!at || is_square(text[*at])) return call.fail();
    char byte = static_cast<char>(*code);
    if (is_leaf_cell(t) && call.holds_only_reference(0)) {
        // The text lies inline after the header; its length and kind are
        // kept apart from it, and the byte written is no bracket.
        reinterpret_cast<char*>(t + 1)[1 + *at] = byte;
        return TermRef(t);
    }
    text[*at] = byte;
    return bracket_leaf(text);
}

std::optional<bool> truth_argument(const Term* v) {
    if (is_byte_leaf(v, 'K')) return true;
    if (is_byte_leaf(v, 'H')) return false;
    return std::nullopt;
}

// Bit i of the bit string a number stands for, i counted as look counts the
// bits of its list (which are the bit string's bits below its closing 1).
TermRef cork_number(Call& call, Term* t, std::int64_t i, Term* v) {
    std::optional<bool> bit = truth_argument(v);
    std::optional<BitString> code = number_code(t);
    if (!bit || !code) return call.fail();
    std::optional<std::size_t> length = checked_list_length(*code);
    std::optional<std::size_t> at = length ? element_index(i, *length) : std::nullopt;
    if (!at) return call.fail();
    std::optional<BitString> changed = checked_set_bit(static_cast<std::int64_t>(*at), *bit,
                                                       std::move(*code));
    if (!changed) return call.fail();
    std::optional<TermRef> number = checked_bits_term(*changed);
    return number ? std::move(*number) : call.fail();
}

TermRef cork_real(Call& call, Term* t, std::int64_t i, Term* v) {
    std::optional<bool> bit = truth_argument(v);
    if (!bit) return call.fail();
    if (i < 0) i += 64;
    if (i < 0 || i >= 64) return call.fail();
    std::uint64_t mask = std::uint64_t{1} << i;
    std::uint64_t bits = real_bits(t);
    return real_of_bits(*bit ? bits | mask : bits & ~mask);
}

}  // namespace

TermRef cork_handler(Call& call) {
    Term* t = call.args[0];
    Term* v = call.args[2];
    std::optional<std::int64_t> i = integer_argument(call.args[1]);
    if (!i) return call.fail();
    switch (classify(t)) {
        case ValueKind::post: return cork_post(call, t, *i, v);
        case ValueKind::zits: return cork_zits(call, t, *i, v);
        case ValueKind::hint:
        case ValueKind::numb: return cork_number(call, t, *i, v);
        case ValueKind::real: return cork_real(call, t, *i, v);
        case ValueKind::void_: break;
    }
    return call.fail();
}

}  // namespace vesk
