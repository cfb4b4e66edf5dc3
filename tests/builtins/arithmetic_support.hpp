// Calling the arithmetic built-ins through the table, as the machine does.
#pragma once

#include <cmath>
#include <cstring>

#include "../engine/engine_support.hpp"
#include "runtime/builtin_table.hpp"
#include "builtins/values.hpp"
#include "engine/unfold.hpp"

namespace vesk::test {

class Arith : public EngineTest {
   protected:
    void SetUp() override {
        EngineTest::SetUp();
        install_combinators();
    }
};

inline TermRef call(const char* name, const TermRef& a) {
    return builtin_table().at(name).handler(apply(TermRef(name), a));
}
inline TermRef call(const char* name, const TermRef& a, const TermRef& b) {
    return builtin_table().at(name).handler(apply(TermRef(name), a, b));
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
