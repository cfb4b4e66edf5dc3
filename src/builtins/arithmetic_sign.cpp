// buck and wave: the head and tail of a text, the sign and negation of a
// number.
#include <cmath>

#include "builtins/arithmetic_parts.hpp"
#include "builtins/numb_ops.hpp"
#include "engine/unfold.hpp"
#include "numbers/arith.hpp"
#include "numbers/integers.hpp"

namespace vesk {

namespace {

// The length of the first element of a bracket leaf's inner text: one byte,
// or a whole nested group.
std::size_t first_element_length(std::string_view inner) {
    if (inner.empty() || inner[0] != '[') return inner.empty() ? 0 : 1;
    std::size_t depth = 0;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '[') ++depth;
        if (inner[i] == ']' && --depth == 0) return i + 1;
    }
    return inner.size();  // unbalanced: the whole rest
}

TermRef zits_leaf(std::string_view inner) {
    Bytes text = "[";
    text.append(inner);
    text.push_back(']');
    return TermRef(std::move(text));
}

// A bracket leaf's inner text, or empty for a zits pair.
std::optional<std::string_view> leaf_inner(const Term* t) {
    if (!is_leaf_cell(t)) return std::nullopt;
    std::string_view text = leaf_view(t);
    return text.substr(1, text.size() - 2);
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
        default: return zits_leaf(std::string_view(&c, 1));
    }
}

}  // namespace

TermRef buck_handler(TermRef redex) {
    Arguments args = open_arguments(std::move(redex), 1);
    Operand x = operand(args.at[0]);
    switch (x.kind) {
        case ValueKind::post: {
            std::string_view bytes = counted_payload(TermRef(x.cell));
            return bytes.empty() ? failure_result() : post_byte(bytes[0]);
        }
        case ValueKind::zits: {
            std::optional<std::string_view> inner = leaf_inner(x.cell);
            if (!inner) return TermRef(left_cell(x.cell));
            if (inner->empty()) return failure_result();
            return zits_leaf(inner->substr(0, first_element_length(*inner)));
        }
        case ValueKind::real: return truth_result(!std::signbit(*float_argument(x.cell)));
        case ValueKind::hint:
        case ValueKind::numb: {
            std::optional<bool> sign = is_not_negative(x);
            return sign ? truth_result(*sign) : failure_result();
        }
        case ValueKind::void_: break;
    }
    return failure_result();
}

TermRef wave_handler(TermRef redex) {
    Arguments args = open_arguments(std::move(redex), 1);
    Operand x = operand(args.at[0]);
    switch (x.kind) {
        case ValueKind::post: {
            std::string_view bytes = counted_payload(TermRef(x.cell));
            return bytes.empty() ? failure_result() : counted_leaf(bytes.substr(1));
        }
        case ValueKind::zits: {
            std::optional<std::string_view> inner = leaf_inner(x.cell);
            if (!inner) return TermRef(right_cell(x.cell));
            if (inner->empty()) return failure_result();
            return zits_leaf(inner->substr(first_element_length(*inner)));
        }
        case ValueKind::real: return float_result(-*float_argument(x.cell));
        case ValueKind::hint: {
            std::optional<TermRef> negated = checked_negate(TermRef(x.cell));
            return negated ? std::move(*negated) : failure_result();
        }
        case ValueKind::numb: {
            std::optional<Dyadic> value = read_numb(x.cell);
            if (!value) return failure_result();
            std::optional<TermRef> negated = numb_term(numb_negate(std::move(*value)));
            return negated ? std::move(*negated) : failure_result();
        }
        case ValueKind::void_: break;
    }
    return failure_result();
}

}  // namespace vesk
