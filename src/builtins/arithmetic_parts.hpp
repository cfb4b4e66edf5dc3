// The pieces the arithmetic handlers share. Every handler has the one
// built-in signature; the helpers borrow the argument cells of the redex.
#pragma once

#include <optional>

#include "builtins/values.hpp"

namespace vesk {

TermRef plus_handler(TermRef redex);
TermRef dash_handler(TermRef redex);
TermRef mult_handler(TermRef redex);
TermRef over_handler(TermRef redex);
TermRef cent_handler(TermRef redex);
TermRef powa_handler(TermRef redex);
TermRef less_handler(TermRef redex);
TermRef gteq_handler(TermRef redex);
TermRef same_handler(TermRef redex);
TermRef diff_handler(TermRef redex);
TermRef cmpr_handler(TermRef redex);
TermRef buck_handler(TermRef redex);
TermRef wave_handler(TermRef redex);

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
// plus on texts: a post on either side makes a post, else a zits.
TermRef join_texts(const Operand& a, const Operand& b);
// dash of a text by a count: drops n bytes from the front (n > 0) or |n|
// from the back (n <= 0).
TermRef cut_text(const Operand& text, const Operand& count);
// mult of a text by a count, by doubling; "Z" above kMaxRepeatBytes.
// The fuzz targets (VESK_RUN_BUDGET) hold every run to a small heap, so
// there the limit is small as well.
#ifdef VESK_RUN_BUDGET
inline constexpr std::uint64_t kMaxRepeatBytes = std::uint64_t{1} << 22;
#else
inline constexpr std::uint64_t kMaxRepeatBytes = std::uint64_t{1} << 31;
#endif
TermRef repeat_text(const Operand& text, const Operand& count);

// A number of any kind as a double; empty for malformed numbers.
std::optional<double> numeric_double(const Operand& x);

}  // namespace vesk
