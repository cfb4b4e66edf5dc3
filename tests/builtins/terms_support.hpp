// Calling the term and value built-ins as the machine does, and the values
// their tables are written in.
#pragma once

#include <cstring>
#include <vector>

#include "../engine/engine_support.hpp"
#include "builtins/values.hpp"
#include "runtime/call.hpp"
#include "terms/leaf_text.hpp"

namespace vesk::test {

// The handler of `name` on the arguments (borrowed). `sole` marks the
// arguments the call is to hold alone (Call::sole).
inline TermRef call_with(const char* name, const std::vector<TermRef>& args,
                         std::uint16_t sole = 0) {
    std::vector<Term*> cells;
    for (const TermRef& a : args) cells.push_back(a.cell);
    Call c{cells, rt(), sole};
    const BuiltinRow* row = rt().builtins.at(name);
    EXPECT_EQ(row->arity, args.size()) << name;
    return row->handler(c);
}

inline TermRef z(std::string_view inner) {
    return bracket_leaf(inner);
}
inline TermRef p(std::string_view bytes) {
    return counted_leaf(bytes);
}
inline TermRef r(double d) {
    return float_result(d);
}
inline TermRef r_bits(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return float_result(d);
}
inline std::uint64_t bits_of(const TermRef& real) {
    std::uint64_t bits = 0;
    EXPECT_EQ(first_char(real), ' ');
    if (first_char(real) == ' ') std::memcpy(&bits, leaf_chars(real.cell) + 1, sizeof bits);
    return bits;
}
inline TermRef n(const char* digits) {
    return TermRef(digits);
}
// A term in the engine tests' notation.
inline TermRef t(std::string_view notation) {
    return term(notation);
}

}  // namespace vesk::test
