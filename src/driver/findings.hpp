// What `vesk --check` lists: the places in a program that load and check
// without a word but that a person probably did not mean.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "runtime/globals.hpp"
#include "terms/term.hpp"

namespace vesk {

// One place: a byte offset in the text as written, and what is wrong there.
struct Finding {
    std::size_t offset;
    Bytes message;
};

// The findings of the program text `raw` (borrowed), which has passed the
// bracket check, in order of place:
// - a segment after a comma that defines nothing and is skipped: empty, a
//   head written with digits (`crlf2\...`), a head that is not a name
//   (`sq x\x*x`), or no `name\` at all (but not a segment that is one
//   bracket text: a note, `,[what this does]`);
// - a definition of a name that `prelude` (borrowed) defines: one of its
//   combinators or operators, which the program then loses;
// - a definition that a later one of the same name replaces;
// - a definition that the main expression never reaches;
// - a name written right before digits (`x1`), which applies the name to
//   the number;
// - a carriage return outside a text literal (a CRLF line end), which is a
//   name of its own.
std::vector<Finding> program_findings(std::string_view raw, const GlobalTable& prelude);

}  // namespace vesk
