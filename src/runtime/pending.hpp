// Definitions checked from a quick read of their text and parsed only when
// first used. A large program defines far more than one run calls; each of
// these passed every check from its facts alone (front/scan_definition.hpp),
// so parsing, renaming, sharing and annotating it can wait. Until then its
// global holds a stand-in with its arity: leading lambdas around Z, as a
// built-in's template, which is all that annotating another definition
// reads of it.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

struct Runtime;

// Where one waiting definition's piece lies in the program text: from just
// after its comma to the next top-level comma or the end.
struct PendingPiece {
    std::size_t begin = 0;
};

struct PendingDefinitions {
    // The normalised program text the pieces lie in, kept while one waits.
    std::shared_ptr<const Bytes> text;
    std::map<Bytes, PendingPiece, std::less<>> waiting;
    // Set by the checks when they leave definitions waiting: settling one
    // parses, renames, shares and annotates it and puts it in its global,
    // as the checks would have; settling all does so for each and then lets
    // the sharing table keep only values, as the checks' end would have.
    void (*settle)(Runtime& rt, std::string_view name) = nullptr;
    void (*settle_all)(Runtime& rt) = nullptr;
};

}  // namespace vesk
