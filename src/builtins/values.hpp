// What every built-in handler shares: the six kinds of argument values and
// the conversions between terms and C values. A handler never asserts on
// what it is given: a value of the wrong kind makes its conversion come back
// empty, and the handler then returns call.fail().
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "numbers/small_integers.hpp"
#include "terms/term.hpp"

namespace vesk {

// The kinds, named as the built-in `type` reports them.
//   real  a raw leaf: a blank and the eight bytes of a double
//   post  a counted leaf: a byte string with its length
//   zits  bracket data: a bracket leaf, or a pair of two zits
//   hint  an integer: a number leaf not beginning "00", or a list (J K) ..
//   numb  a bit string that is not an integer: "00".. or a list (J H) ..
//   void  everything else
enum class ValueKind : std::uint8_t { post, real, hint, numb, zits, void_ };

// The kind's name: "post", "real", "hint", "numb", "zits" or "void".
std::string_view kind_name(ValueKind kind);
// The kind of t (borrowed). The tests run in a fixed order: raw and counted
// leaves, then data, then the list shapes, then number leaves. Whether a
// pair is data is read from its annotation when it has one, else from its
// leaves (no globals are needed for either).
ValueKind classify(const Term* t);
inline ValueKind classify(const TermRef& t) {
    return classify(t.cell);
}

// ---- Argument conversions (all borrow their cell) -----------------------------

// An integer's value modulo 2^64 taken as signed; empty unless t is an
// integer (a decimal integer leaf, the leaf K or a list starting (J K)).
std::optional<std::int64_t> integer_argument(const Term* t);
// The same, but empty for an integer outside the signed 64-bit range too:
// for addresses and counts, where a value taken modulo 2^64 would name
// another place or size than the program wrote.
std::optional<std::int64_t> exact_integer_argument(const Term* t);
// small_integer (numbers/small_integers.hpp): an integer leaf of at most 18
// digits as its value.
// A real's double; empty for every other kind.
std::optional<double> float_argument(const Term* t);
// An address to read from: a hint's value, the text of a zits leaf (from
// its "["), or the bytes of a post after its ")". Empty for other kinds and
// for a zits that is a pair, which has no text of its own.
std::optional<const char*> readable_address(const Term* t);
// An address to write to: a hint's value (unguarded: the language lets a
// program write anywhere), or the payload of a post. A write there can
// change neither the leaf's length nor its kind, which the cell keeps apart
// from the text. A zits is refused (empty): its text is code that the
// machine unfolds, and a write could unbalance it.
std::optional<char*> writable_address(Term* t);
// A text: a post's bytes, a zits's stored text (between the outer brackets,
// escapes kept; the texts of a pair joined), or for a hint the NUL-terminated
// text at that address (empty for address 0, and for memory the process
// cannot read). Empty for other kinds.
std::optional<Bytes> text_argument(const Term* t);
// The stored text of a zits (t must be of kind zits).
Bytes zits_text(const Term* t);

// ---- Result conversions -----------------------------------------------------

// A signed value: "0", its digits, or "0" and the digits of a negative's size.
[[nodiscard]] TermRef integer_result(std::int64_t value);
// An unsigned value: its plain digits.
[[nodiscard]] TermRef unsigned_result(std::uint64_t value);
// A real leaf: a blank and the eight bytes of the double.
[[nodiscard]] TermRef float_result(double value);
// An address, as an unsigned integer.
[[nodiscard]] TermRef pointer_result(const void* address);

}  // namespace vesk
