// The texts that leaves carry, read and built in one place: bracket texts
// (zits) and counted byte strings (posts).
//
// A bracket text is "[" inner "]" with its square brackets balanced; its
// elements are single bytes and nested groups "[...]". A counted text is
// "(" base-64 digits ")" and then exactly that many payload bytes, the
// digits naming the payload's length most significant first, in the
// alphabet below ("_" is 0, "~" is 63).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

inline constexpr std::string_view kBase64Alphabet =
    "_abcdefghijklmnopqrustvwzxy0123456789ABCDEFGHIJKLMNOPQRUSTVWZXY~";

// ---- Bracket texts ----------------------------------------------------------

// True when the square brackets of `text` nest properly: no "]" closes more
// than was opened, and every "[" is closed by the end.
bool brackets_balance(std::string_view text);
// The index of the "]" that closes the "[" at `open`; npos when the text
// ends first.
std::size_t closing_bracket(std::string_view text, std::size_t open);
// The length of the longest prefix of `text` that ends where its first
// bracket group closes; the whole text when it never closes.
std::size_t balanced_prefix_length(std::string_view text);
// The length of the first element of an inner text: 0 for the empty text,
// one byte, or a whole nested group (the rest when it never closes).
std::size_t first_element_length(std::string_view inner);
// The inner text of a bracket leaf (borrowed; t must be a bracket leaf).
std::string_view bracket_inner(const Term* t);
// The bracket leaf "[" inner "]" (inner borrowed).
[[nodiscard]] TermRef bracket_leaf(std::string_view inner);

// The escapes that let a text of unbalanced brackets travel inside a
// bracket text: "\(" for "[", "\)" for "]", "\\" for "\".
Bytes escape_brackets(std::string_view text);
// Undoes escape_brackets. An escape of any other byte, or a lone backslash
// at the end, is kept as written.
Bytes unescape_brackets(std::string_view text);

// The escapes of a raw text inside a zits, which `cape` writes and reads:
// "[q]" for "[", "[r]" for "]", and "[p]" for a newline where asked. Any
// other byte stands for itself.
Bytes cape_escape(std::string_view bytes, bool escape_newline);
// The bytes a zits's stored text stands for, the three escapes decoded;
// empty when the text holds any other "[" (or one too near the end) or a
// "]" that closes none of them.
std::optional<Bytes> cape_unescape(std::string_view text);

// ---- Counted texts ----------------------------------------------------------

// The value of a base-64 digit, or -1 for a byte outside the alphabet.
int base64_digit(unsigned char c);
// The digits of n, most significant first; empty for 0.
Bytes base64_count(std::size_t n);

struct CountedHead {
    std::size_t close;    // the index of ")"
    std::size_t payload;  // the count its digits name
};
// The head of a counted text; empty when a digit is outside the alphabet,
// the ")" is missing, or the count does not fit in a size.
std::optional<CountedHead> read_counted_head(std::string_view text);
// The payload of a counted leaf (borrowed; t must be a counted leaf): the
// bytes after its ")", as many as the leaf holds.
std::string_view counted_payload(const Term* t);
// "(" base-64 length ")": what a counted leaf of `length` payload bytes
// holds before its payload.
Bytes counted_prefix(std::size_t length);
// The counted leaf of the bytes (borrowed).
[[nodiscard]] TermRef counted_leaf(std::string_view payload);

}  // namespace vesk
