// buck and wave: the head and tail of a text, the sign and negation of a
// number.
#include <cmath>

#include "builtins/arithmetic_parts.hpp"
#include "numbers/dyadic_ops.hpp"
#include "terms/leaf_text.hpp"
#include "numbers/arith.hpp"
#include "numbers/integers.hpp"

namespace vesk {

namespace {

// A bracket leaf's inner text, or empty for a zits pair.
std::optional<std::string_view> leaf_inner(const Term* t) {
    if (!is_leaf_cell(t)) return std::nullopt;
    return bracket_inner(t);
}

// The sign of a number: empty when it is malformed.
std::optional<bool> is_not_negative(const Operand& x) {
    if (x.kind == ValueKind::hint) return checked_is_non_negative(TermRef(x.cell));
    std::optional<Dyadic> value = read_numb(x.cell);
    if (!value) return std::nullopt;
    return !value->negative;
}

TermRef post_byte(char c) {
    switch (c) {
        case '\n': return TermRef("[[p]]");
        case '[': return TermRef("[[q]]");
        case ']': return TermRef("[[r]]");
        default: return bracket_leaf(std::string_view(&c, 1));
    }
}

}  // namespace

TermRef buck_handler(Call& call) {
    Operand x = operand(call.args[0]);
    switch (x.kind) {
        case ValueKind::post: {
            std::string_view bytes = counted_payload(x.cell);
            return bytes.empty() ? call.fail() : post_byte(bytes[0]);
        }
        case ValueKind::zits: {
            std::optional<std::string_view> inner = leaf_inner(x.cell);
            if (!inner) return TermRef(left_cell(x.cell));
            if (inner->empty()) return call.fail();
            return bracket_leaf(inner->substr(0, first_element_length(*inner)));
        }
        case ValueKind::real: return call.truth(!std::signbit(*float_argument(x.cell)));
        case ValueKind::hint:
        case ValueKind::numb: {
            std::optional<bool> sign = is_not_negative(x);
            return sign ? call.truth(*sign) : call.fail();
        }
        case ValueKind::void_: break;
    }
    return call.fail();
}

TermRef wave_handler(Call& call) {
    Operand x = operand(call.args[0]);
    switch (x.kind) {
        case ValueKind::post: {
            std::string_view bytes = counted_payload(x.cell);
            return bytes.empty() ? call.fail() : counted_leaf(bytes.substr(1));
        }
        case ValueKind::zits: {
            std::optional<std::string_view> inner = leaf_inner(x.cell);
            if (!inner) return TermRef(right_cell(x.cell));
            if (inner->empty()) return call.fail();
            return bracket_leaf(inner->substr(first_element_length(*inner)));
        }
        case ValueKind::real: return float_result(-*float_argument(x.cell));
        case ValueKind::hint: {
            std::optional<TermRef> negated = checked_negate(TermRef(x.cell));
            return negated ? std::move(*negated) : call.fail();
        }
        case ValueKind::numb: {
            std::optional<Dyadic> value = read_numb(x.cell);
            if (!value) return call.fail();
            std::optional<TermRef> negated = numb_term(numb_negate(std::move(*value)));
            return negated ? std::move(*negated) : call.fail();
        }
        case ValueKind::void_: break;
    }
    return call.fail();
}

}  // namespace vesk
