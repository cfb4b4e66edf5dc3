// less gteq same diff cmpr: orders within a kind, and the kind order
// post < real < hint < numb < zits between kinds.
#include "builtins/arithmetic_parts.hpp"
#include "numbers/arith.hpp"
#include "numbers/dyadic_ops.hpp"
#include "numbers/integers.hpp"

namespace vesk {

namespace {

// -1, 0 or 1 for two values of one kind; empty when a number is malformed.
// NaN compares as no value: the callers make every comparison false.
std::optional<int> compare_same_kind(const Operand& a, const Operand& b) {
    switch (a.kind) {
        case ValueKind::post:
        case ValueKind::zits: {
            Bytes x = *join_text(a), y = *join_text(b);
            return x < y ? -1 : (x == y ? 0 : 1);
        }
        case ValueKind::hint: {
            std::optional<bool> less = checked_less(TermRef(a.cell), TermRef(b.cell));
            std::optional<bool> more = checked_less(TermRef(b.cell), TermRef(a.cell));
            if (!less || !more) return std::nullopt;
            return *less ? -1 : (*more ? 1 : 0);
        }
        case ValueKind::numb: {
            std::optional<Dyadic> x = read_numb(a.cell), y = read_numb(b.cell);
            if (!x || !y) return std::nullopt;
            return numb_compare(*x, *y);
        }
        default: return std::nullopt;
    }
}

}  // namespace

TermRef order(Call& call, bool want_less) {
    if (std::optional<std::int64_t> x = small_integer(call.args[0])) {
        if (std::optional<std::int64_t> y = small_integer(call.args[1])) {
            return call.truth(want_less ? *x < *y : *x >= *y);
        }
    }
    Operand a = operand(call.args[0]), b = operand(call.args[1]);
    if (a.kind == ValueKind::void_ || b.kind == ValueKind::void_) return call.fail();
    if (a.kind != b.kind) return call.truth((a.kind < b.kind) == want_less);
    if (a.kind == ValueKind::real) {
        double x = *float_argument(a.cell), y = *float_argument(b.cell);
        return call.truth(want_less ? x < y : x >= y);
    }
    std::optional<int> c = compare_same_kind(a, b);
    if (!c) return call.fail();
    return call.truth(want_less ? *c < 0 : *c >= 0);
}

// Two small integers are equal exactly when their texts are: a small
// integer's digits are canonical (no leading zero but a minus sign's).
TermRef equality(Call& call, bool want_same) {
    if (call.args[0] == call.args[1]) return call.truth(want_same);
    if (std::optional<std::int64_t> x = small_integer(call.args[0])) {
        if (std::optional<std::int64_t> y = small_integer(call.args[1])) {
            return call.truth((*x == *y) == want_same);
        }
    }
    Operand a = operand(call.args[0]), b = operand(call.args[1]);
    if (a.kind == ValueKind::void_ || b.kind == ValueKind::void_) return call.fail();
    bool same = false;
    if (a.kind == b.kind) {
        if (a.kind == ValueKind::real) {
            same = *float_argument(a.cell) == *float_argument(b.cell);
        } else {
            std::optional<Bytes> x = join_text(a), y = join_text(b);
            if (!x || !y) return call.fail();
            same = *x == *y;
        }
    }
    return call.truth(same == want_same);
}

TermRef cmpr_handler(Call& call) {
    return integer_result(compare_cells(call.args[0], call.args[1]));
}

}  // namespace vesk
