// Built-ins as rows: the shape every family file declares its built-ins in,
// and the table a runtime looks them up by name in.
//
// A family file ends in one array of rows, {name, arity, effects, handler}
// and, for a few arithmetic rows, the integer rule below,
// and the list of families (builtins/families.cpp) names every array. The
// engine calls a handler once a built-in's name is applied to exactly
// `arity` arguments, and knows nothing of any built-in beyond its row.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string_view>

#include "terms/term.hpp"

namespace vesk {

struct Call;

// Receives the call (runtime/call.hpp): the arguments, borrowed, and the
// runtime. Returns a new reference: the result, which may be the failure
// leaf or an error value. Never asserts on its arguments.
using BuiltinHandler = TermRef (*)(Call& call);

// What a built-in may do besides computing its result, for the engine and
// the documentation. A set of bits.
enum BuiltinEffect : std::uint8_t {
    pure_effect = 0,
    // Loads program text into the globals: the engine forgets the names it
    // had looked up after every such call.
    defines_globals = 1 << 0,
    // Reads or changes the process or the host: memory, files, streams,
    // sockets, the clock.
    touches_host = 1 << 1,
};

// What a pure built-in of two arguments gives when both are integers that
// fit in 64 bits, for the engine's integer bodies (engine/integer_body.hpp):
// they compute it on host integers, and call the handler itself whenever a
// value leaves that range. The handler stays the definition; a test holds
// every rule to its handler.
//   plus, minus, times   the exact sum, difference, product (an integer)
//   quotient             the floor of a / b (an integer), for b other than 0
//   remainder            a - b * floor(a / b), negated for b < 0, so that it
//                        lies in 0 .. |b| - 1, for b other than 0
//   less, at_least       a < b, a >= b
//   same, differ         a == b, a != b
// (a truth is the leaf K or H, as Call::truth gives it). The rules that
// give an integer come before `less`.
enum class IntegerRule : std::uint8_t {
    none,
    plus,
    minus,
    times,
    quotient,
    remainder,
    less,
    at_least,
    same,
    differ
};
// Whether the rule gives an integer rather than a truth.
inline bool gives_integer(IntegerRule rule) {
    return rule != IntegerRule::none && rule < IntegerRule::less;
}

struct BuiltinRow {
    std::string_view name;  // a lower-case name: '_' and 'a'..'z'
    std::uint8_t arity;     // 0 to kMaxBuiltinArity
    std::uint8_t effects;   // BuiltinEffect bits
    BuiltinHandler handler;
    IntegerRule integer = IntegerRule::none;
};

// One family: its name (for tests and documentation) and its rows.
struct BuiltinFamily {
    std::string_view name;
    std::span<const BuiltinRow> rows;
};

// The most arguments a built-in takes.
inline constexpr std::uint8_t kMaxBuiltinArity = 7;

// Name -> row. The rows are the families' static arrays, so the table holds
// views and pointers only.
using BuiltinTable = std::map<std::string_view, const BuiltinRow*, std::less<>>;

}  // namespace vesk
