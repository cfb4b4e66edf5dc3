// The pieces the arithmetic handlers share. Every handler has the one
// built-in signature; the helpers borrow the argument cells of the call.
#pragma once

#include <optional>

#include "builtins/values.hpp"
#include "runtime/call.hpp"

namespace vesk {

// plus dash mult over cent powa, on two arguments of any kinds.
enum class ArithmeticOp { plus, dash, mult, over, cent, powa };
[[nodiscard]] TermRef arithmetic(ArithmeticOp op, Call& call);
// less (want_less) or gteq.
[[nodiscard]] TermRef order(Call& call, bool want_less);
// same (want_same) or diff.
[[nodiscard]] TermRef equality(Call& call, bool want_same);
[[nodiscard]] TermRef cmpr_handler(Call& call);
[[nodiscard]] TermRef buck_handler(Call& call);
[[nodiscard]] TermRef wave_handler(Call& call);

// A borrowed argument with its kind.
struct Operand {
    Term* cell;
    ValueKind kind;
};
Operand operand(Term* cell);
inline bool is_numeric(ValueKind k) {
    return k == ValueKind::real || k == ValueKind::hint || k == ValueKind::numb;
}
inline bool is_text_kind(ValueKind k) {
    return k == ValueKind::post || k == ValueKind::zits;
}

// The text a value contributes when joined to a text: "%e" of a real, the
// decimal text of a number, a zits's stored text, a post's bytes. Empty for
// void and for a malformed number.
std::optional<Bytes> join_text(const Operand& x);
// The text cases give no result (empty) where the operation fails.
// plus on texts: a post on either side makes a post, else a zits.
[[nodiscard]] std::optional<TermRef> join_texts(const Operand& a, const Operand& b);
// dash of a text by a count: drops n bytes from the front (n > 0) or |n|
// from the back (n <= 0).
[[nodiscard]] std::optional<TermRef> cut_text(const Operand& text, const Operand& count);
// mult of a text by a count, by doubling; "Z" above kMaxRepeatBytes.
// The fuzz targets (VESK_RUN_BUDGET) hold every run to a small heap, so
// there the limit is small as well.
#ifdef VESK_RUN_BUDGET
inline constexpr std::uint64_t kMaxRepeatBytes = std::uint64_t{1} << 22;
#else
inline constexpr std::uint64_t kMaxRepeatBytes = std::uint64_t{1} << 31;
#endif
[[nodiscard]] std::optional<TermRef> repeat_text(const Operand& text, const Operand& count);

// A number of any kind as a double; empty for malformed numbers.
std::optional<double> numeric_double(const Operand& x);

}  // namespace vesk
