// Calling the memory and C library built-ins through the test runtime's
// table, as the machine does, with any number of arguments.
#pragma once

#include <cstring>
#include <initializer_list>
#include <vector>

#include "../engine/engine_support.hpp"
#include "../support/test_runtime.hpp"
#include "builtins/values.hpp"
#include "runtime/call.hpp"
#include "terms/leaf_text.hpp"

namespace vesk::test {

using Host = EngineTest;

// The handler of built-in `name` on the arguments (borrowed).
template <typename Args>
TermRef run(const char* name, const Args& args) {
    std::vector<Term*> cells;
    for (const TermRef& a : args) cells.push_back(a.cell);
    Call c{cells, rt()};
    const BuiltinRow* row = rt().builtins.at(name);
    EXPECT_EQ(row->arity, cells.size()) << name;
    return row->handler(c);
}
inline TermRef run(const char* name, std::initializer_list<TermRef> args = {}) {
    return run<std::initializer_list<TermRef>>(name, args);
}
inline TermRef num(std::int64_t v) {
    return integer_result(v);
}
inline TermRef address(const void* p) {
    return pointer_result(p);
}
inline TermRef zits(const char* inner) {
    return leaf_term(Bytes("[") + inner + "]");
}
inline TermRef post(std::string_view bytes) {
    return counted_leaf(bytes);
}
// A result's integer value (0 and a test failure for a non-integer).
inline std::int64_t value(const TermRef& t) {
    std::optional<std::int64_t> v = integer_argument(t.cell);
    EXPECT_TRUE(v.has_value()) << leaf_text(t);
    return v.value_or(0);
}
// A pointer result as an address.
template <typename T = char>
T* pointer(const TermRef& t) {
    return reinterpret_cast<T*>(static_cast<std::uintptr_t>(value(t)));
}
// A zeroed block of the run of n bytes: what a built-in writes into must be
// one (a buffer of the test itself is refused).
template <typename T = char>
T* run_block(std::size_t n) {
    return pointer<T>(run("calloc", {num(static_cast<std::int64_t>(n)), num(1)}));
}
inline double real_value(const TermRef& t) {
    std::optional<double> d = float_argument(t.cell);
    EXPECT_TRUE(d.has_value()) << leaf_text(t);
    return d.value_or(0);
}
inline bool is_z(const TermRef& t) {
    return leaf_text(t) == "Z";
}

}  // namespace vesk::test
