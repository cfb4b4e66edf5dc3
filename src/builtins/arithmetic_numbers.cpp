// plus dash mult over cent powa: the dispatch on the two kinds, and the
// number cases (integers exact, numbs exact, anything with a real in doubles).
#include <cmath>

#include "builtins/arithmetic_parts.hpp"
#include "numbers/arith.hpp"
#include "numbers/dyadic_ops.hpp"
#include "numbers/integers.hpp"

namespace vesk {

namespace {

using Op = ArithmeticOp;

std::optional<TermRef> integer_case(Op op, Term* a, Term* b) {
    TermRef x(a), y(b);
    switch (op) {
        case Op::plus: return checked_plus(std::move(x), std::move(y));
        case Op::dash: return checked_dash(std::move(x), std::move(y));
        case Op::mult: return checked_mult(std::move(x), std::move(y));
        case Op::over: return checked_over(std::move(x), std::move(y));
        case Op::cent: return checked_cent(std::move(x), std::move(y));
        case Op::powa: return checked_powa(std::move(x), std::move(y));
    }
    return std::nullopt;
}

double double_case(Op op, double x, double y) {
    switch (op) {
        case Op::plus: return x + y;
        case Op::dash: return x - y;
        case Op::mult: return x * y;
        case Op::over: return x / y;
        case Op::cent: return std::fmod(x, y);
        case Op::powa: return std::pow(x, y);
    }
    return 0;
}

std::optional<Dyadic> read_number(const Operand& x) {
    return x.kind == ValueKind::numb ? read_numb(x.cell) : read_hint(x.cell);
}

// Two numbs, or an integer with a numb: the integer joins as its value.
std::optional<TermRef> numb_case(Op op, const Operand& a, const Operand& b) {
    std::optional<Dyadic> x = read_number(a), y = read_number(b);
    if (!x || !y) return std::nullopt;
    std::optional<Dyadic> result;
    switch (op) {
        case Op::plus: result = numb_plus(*x, *y); break;
        case Op::dash: result = numb_dash(*x, *y); break;
        case Op::mult: result = numb_mult(*x, *y); break;
        case Op::cent: result = numb_cent(*x, *y); break;
        default: return std::nullopt;
    }
    if (!result) return std::nullopt;
    return numb_term(std::move(*result));
}

// A numb base "004" (minus one) with a small exponent is known at once; the
// result is the text the general power writes.
std::optional<TermRef> minus_one_power(const Operand& base, std::int64_t k) {
    if (!is_leaf_cell(base.cell) || leaf_view(base.cell) != "004" || k <= 0 || k >= 61) {
        return std::nullopt;
    }
    return TermRef(k % 2 == 1 ? "004" : "005");
}

// A numb to the power of an integer; the empty product is the numb "00".
std::optional<TermRef> numb_power_case(const Operand& base, const Operand& exponent) {
    std::optional<std::int64_t> k = integer_argument(exponent.cell);
    std::optional<Dyadic> x = read_numb(base.cell);
    if (!k || !x || !is_integer_value(TermRef(exponent.cell))) return std::nullopt;
    if (*k == 0) return TermRef("00");
    // The exponent's value is taken modulo 2^64; one beyond 64 bits is refused.
    std::optional<Dyadic> check = read_hint(exponent.cell);
    if (!check || natural_bit_bound(check->magnitude) > 60 + 30) return std::nullopt;
    if (std::optional<TermRef> quick = minus_one_power(base, *k)) return quick;
    std::optional<Dyadic> result = numb_power(*x, *k);
    if (!result) return std::nullopt;
    return numb_term(std::move(*result));
}

std::optional<TermRef> number_case(Op op, const Operand& a, const Operand& b) {
    if (a.kind == ValueKind::hint && b.kind == ValueKind::hint)
        return integer_case(op, a.cell, b.cell);
    bool any_real = a.kind == ValueKind::real || b.kind == ValueKind::real;
    bool both_numb = a.kind == ValueKind::numb && b.kind == ValueKind::numb;
    if (op == Op::over && both_numb) return std::nullopt;
    if (op == Op::powa && !any_real) {
        if (a.kind == ValueKind::numb && b.kind == ValueKind::hint) return numb_power_case(a, b);
        if (both_numb) return std::nullopt;
    }
    if (any_real || op == Op::over || op == Op::powa) {
        std::optional<double> x = numeric_double(a), y = numeric_double(b);
        if (!x || !y) return std::nullopt;
        return float_result(double_case(op, *x, *y));
    }
    return numb_case(op, a, b);
}

std::optional<TermRef> text_case(Op op, const Operand& a, const Operand& b) {
    switch (op) {
        case Op::plus: return join_texts(a, b);
        case Op::dash:
            if (a.kind == ValueKind::zits && b.kind == ValueKind::zits) {
                return make_pair(TermRef(a.cell), TermRef(b.cell));
            }
            if (is_text_kind(a.kind) && b.kind == ValueKind::hint) return cut_text(a, b);
            return std::nullopt;
        case Op::mult:
            if (is_text_kind(a.kind) && b.kind == ValueKind::hint) return repeat_text(a, b);
            if (a.kind == ValueKind::hint && is_text_kind(b.kind)) return repeat_text(b, a);
            return std::nullopt;
        default: return std::nullopt;
    }
}

// Sums, differences and products of two integers below 10^18 in size,
// computed in 64 bits. Such sums cannot overflow; a product that would gives
// way to the general path, as does every other operation.
std::optional<TermRef> small_case(Op op, const Term* a, const Term* b) {
    if (op != Op::plus && op != Op::dash && op != Op::mult) return std::nullopt;
    std::optional<std::int64_t> x = small_integer(a);
    if (!x) return std::nullopt;
    std::optional<std::int64_t> y = small_integer(b);
    if (!y) return std::nullopt;
    std::int64_t r;
    switch (op) {
        case Op::plus: r = *x + *y; break;
        case Op::dash: r = *x - *y; break;
        default:
            if (__builtin_mul_overflow(*x, *y, &r)) return std::nullopt;
            break;
    }
    return integer_result(r);
}

}  // namespace

TermRef arithmetic(ArithmeticOp op, Call& call) {
    if (std::optional<TermRef> quick = small_case(op, call.args[0], call.args[1])) {
        return std::move(*quick);
    }
    Operand a = operand(call.args[0]), b = operand(call.args[1]);
    if (a.kind == ValueKind::void_ || b.kind == ValueKind::void_) return call.fail();
    std::optional<TermRef> result =
        is_numeric(a.kind) && is_numeric(b.kind) ? number_case(op, a, b) : text_case(op, a, b);
    return result ? std::move(*result) : call.fail();
}

Operand operand(Term* cell) {
    return Operand{cell, classify(cell)};
}

std::optional<double> numeric_double(const Operand& x) {
    switch (x.kind) {
        case ValueKind::real: return float_argument(x.cell);
        case ValueKind::hint: {
            std::optional<TermRef> real = checked_real_value(TermRef(x.cell));
            if (!real) return std::nullopt;
            return float_argument(real->cell);
        }
        case ValueKind::numb: {
            std::optional<Dyadic> value = read_numb(x.cell);
            if (!value) return std::nullopt;
            return numb_to_double(*value);
        }
        default: return std::nullopt;
    }
}

}  // namespace vesk
