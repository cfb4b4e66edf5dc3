// leaf, left and rght take texts and their pair forms apart; lots gives a
// value as a list and lits reads one back.
#include <cmath>
#include <cstring>

#include "builtins/terms_parts.hpp"
#include "builtins/unfolded_forms.hpp"
#include "engine/unfold.hpp"
#include "numbers/dyadic.hpp"
#include "numbers/dyadic_ops.hpp"
#include "numbers/integers.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

// left (want_left) or rght.
TermRef part(Call& call, bool want_left) {
    Term* x = call.args[0];
    if (classify(x) == ValueKind::zits) {
        if (!is_leaf_cell(x)) return TermRef(want_left ? left_cell(x) : right_cell(x));
        std::string_view inner = bracket_inner(x);
        if (inner.empty()) return call.fail();
        std::size_t first = first_element_length(inner);
        return bracket_leaf(want_left ? inner.substr(0, first) : inner.substr(first));
    }
    // The pair form of a text d is built on d's element list ((J init) last),
    // just as a zits pair's list is built on its two children: its parts
    // are the pair forms of init (all but the last element) and of last.
    const Term* list = pair_form_list(x);
    const Term *init, *last;
    if (list == nullptr || !list_cell_parts(list, init, last)) return call.fail();
    const Term* chosen = want_left ? init : last;
    return make_pair_form(call.rt, TermRef(const_cast<Term*>(chosen)));
}

// The 64 bits of a pattern as a code number: the bits, then the closing 1.
BitString code_of_pattern(std::uint64_t bits) {
    BitString code(9, '\0');
    std::memcpy(code.data(), &bits, 8);
    code[8] = 1;
    return code;
}

// The first eight bytes of a text, little-endian, missing high bytes zero.
std::int64_t first_eight(std::string_view bytes) {
    std::uint64_t value = 0;
    std::size_t n = std::min<std::size_t>(bytes.size(), 8);
    for (std::size_t k = n; k-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[k]);
    return static_cast<std::int64_t>(value);
}

// The exact value of a double as a numb. The numb "00" marks a real that has
// none (an infinity, a NaN); both zeros have the value zero.
TermRef numb_of_real(Call& call, const Term* t) {
    double value;
    std::memcpy(&value, leaf_chars(t) + 1, sizeof value);
    std::optional<Dyadic> exact = numb_from_double(value);
    if (!exact) return leaf_term("00");
    std::optional<TermRef> numb = numb_term(std::move(*exact));
    return numb ? std::move(*numb) : call.fail();
}

}  // namespace

TermRef leaf_handler(Call& call) {
    Term* x = call.args[0];
    if (classify(x) == ValueKind::zits) {
        return call.truth(is_leaf_cell(x) && bracket_inner(x).empty());
    }
    const Term* list = pair_form_list(x);
    if (list == nullptr) return call.fail();
    return call.truth(is_byte_leaf(list, 'K'));
}

TermRef left_handler(Call& call) {
    return part(call, true);
}

TermRef rght_handler(Call& call) {
    return part(call, false);
}

TermRef lots_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::real: return bits_list_term(code_of_pattern(real_bits(x)));
        case ValueKind::hint:
        case ValueKind::numb: {
            std::optional<BitString> code = number_code(x);
            if (!code || !is_canonical_bits(*code)) return call.fail();
            return bits_list_term(*code);
        }
        case ValueKind::zits: return bracket_list(TermRef(x));
        case ValueKind::post: return byte_list(call.rt, counted_payload(x));
        case ValueKind::void_: break;
    }
    return call.fail();
}

TermRef lits_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::hint:
        case ValueKind::numb: {
            std::optional<BitString> code = number_code(x);
            std::optional<TermRef> number = code ? checked_bits_term(*code) : std::nullopt;
            return number ? std::move(*number) : call.fail();
        }
        case ValueKind::post: return integer_result(first_eight(counted_payload(x)));
        case ValueKind::zits:
            if (is_leaf_cell(x)) return integer_result(first_eight(bracket_inner(x)));
            return integer_result(first_eight(zits_text(x)));
        case ValueKind::real: return numb_of_real(call, x);
        case ValueKind::void_: break;
    }
    return call.fail();
}

}  // namespace vesk
