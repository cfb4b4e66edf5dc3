// The built-in table: every built-in by name, with its arity and handler.
#pragma once

#include <cstdint>
#include <map>

#include "terms/term.hpp"

namespace vesk {

// Receives the saturated redex (the name leaf applied to exactly `arity`
// arguments, last argument as the redex's right child), consumes it, and
// returns a new reference: the result.
using BuiltinHandler = TermRef (*)(TermRef redex);

struct BuiltinEntry {
    std::uint8_t arity;
    BuiltinHandler handler;
};

using BuiltinTable = std::map<Bytes, BuiltinEntry>;

// The one table, filled on first request whenever it is found empty.
BuiltinTable& builtin_table();
// Empties the table (part of the global reset); the next request refills it.
void clear_builtin_table();

}  // namespace vesk
