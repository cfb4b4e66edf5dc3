// Test support for the engine: terms written in a small notation, and a
// fixture whose runtime has the real prelude and built-ins loaded.
//
// Notation: words separated by blanks are leaves, juxtaposition is
// left-nested application, parentheses group, and a word starting with "["
// runs to its matching "]" (a bracket leaf, blanks included). So the lambda
// ((\ x) body) is written "\ x body" and the let ((({ x) v) body) "{ x v body".
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "../support/test_runtime.hpp"
#include "terms/cells.hpp"
#include "terms/term.hpp"

namespace vesk::test {

// The term written in the notation above.
TermRef term(std::string_view text);
// \ x1 (\ x2 .. body), one lambda per letter of `letters`.
TermRef lambdas(std::string_view letters, std::string_view body);

// Adds a built-in row to the test runtime and its global template (arity
// lambdas around Z). The row lives until the end of the process.
void install_builtin(std::string_view name, int arity, BuiltinHandler handler,
                     std::uint8_t effects = pure_effect);
// Defines a global: name = body (plain) or, when uncached, (I body) with the
// name listed among the uncached names.
void define(const char* name, std::string_view body, bool uncached = false);

// Structural equality through compare_terms (both borrowed).
bool same_term(const TermRef& a, const TermRef& b);
// A readable text of a term in the notation above (borrowed; for messages).
Bytes show(const TermRef& t);

// Gives each test a fresh runtime and checks that the test, once its
// runtime is gone, gave back every cell it made.
class EngineTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

   private:
    std::uint64_t live_before_ = 0;
};

}  // namespace vesk::test
