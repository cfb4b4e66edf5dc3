// Calling the arithmetic built-ins through the table, as the machine does.
#pragma once

#include <cmath>
#include "../support/test_runtime.hpp"
#include <cstring>

#include "../engine/engine_support.hpp"
#include "runtime/builtin_table.hpp"
#include "builtins/values.hpp"
#include "engine/unfold.hpp"
#include "runtime/call.hpp"
#include "terms/leaf_text.hpp"

namespace vesk::test {

using Arith = EngineTest;

// The handler of the test runtime's built-in `name` on the arguments
// (borrowed), as the machine calls it.
inline TermRef call(const char* name, const TermRef& a) {
    Term* args[] = {a.cell};
    Call c{args, rt()};
    return rt().builtins.at(name)->handler(c);
}
inline TermRef call(const char* name, const TermRef& a, const TermRef& b) {
    Term* args[] = {a.cell, b.cell};
    Call c{args, rt()};
    return rt().builtins.at(name)->handler(c);
}
inline Bytes text(const TermRef& t) {
    return leaf_text(t);
}
inline TermRef real(double d) {
    return float_result(d);
}
inline double as_double(const TermRef& t) {
    double d = 0;
    EXPECT_EQ(first_char(t), ' ');
    std::memcpy(&d, leaf_chars(t.cell) + 1, sizeof d);
    return d;
}
inline TermRef zits(const char* inner) {
    return leaf_term(Bytes("[") + inner + "]");
}

}  // namespace vesk::test
