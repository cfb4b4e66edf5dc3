// A quick read of one definition of a program: what the checks need to know
// of it before it is used (its name, its free names, its arity), found by
// one pass over its text that builds no cells, so that a definition the run
// never calls need not be parsed at all.
//
// The read vouches only for definitions in a plain form, where those facts
// show in the text and no check can find fault: every binder binds a
// lower-case name (a let may bind a pair of two), no operand is empty, at
// most 26 names are bound and 10 lambdas lead, no name is both bound and
// used free, and no one-letter name is used free. Anything else (and every
// byte outside printable ASCII, blanks and newlines) is left to the parser:
// the read then gives nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace vesk {

struct ScannedDefinition {
    std::string_view written;  // the name as written: a lower-case name
    bool uncached = false;     // written name()\body: stored as (I body)
    int arity = 0;             // the body's leading lambdas
    // The free names of what is stored, in byte order without repeats, as
    // the checks' rewrites leave it: a quote uses V, a let of a pair K and
    // H, an uncached definition I. Views into the text.
    std::vector<std::string_view> free;
};

// The facts of the piece [begin, end) of the normalised program text
// (borrowed), the bytes between two top-level commas, or nothing when the
// piece is not a definition in the plain form.
[[nodiscard]] std::optional<ScannedDefinition> scan_definition(std::string_view text,
                                                               std::size_t begin, std::size_t end);

// The same for the piece after each of the top-level `commas` of `text`
// (each to the next comma or the end), by one read that keeps its room.
[[nodiscard]] std::vector<std::optional<ScannedDefinition>> scan_definitions(
    std::string_view text, const std::vector<std::size_t>& commas);

}  // namespace vesk
