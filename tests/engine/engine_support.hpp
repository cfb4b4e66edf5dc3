// Test support for the engine: terms written in a small notation, the
// prelude's combinators entered by hand, and a few built-ins on small
// integers for driving real reductions.
//
// Notation: words separated by blanks are leaves, juxtaposition is
// left-nested application, parentheses group, and a word starting with "["
// runs to its matching "]" (a bracket leaf, blanks included). So the lambda
// ((\ x) body) is written "\ x body" and the let ((({ x) v) body) "{ x v body".
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "runtime/builtin_table.hpp"
#include "runtime/globals.hpp"
#include "terms/cells.hpp"
#include "terms/term.hpp"

namespace vesk::test {

// The term written in the notation above.
TermRef term(std::string_view text);
// \ x1 (\ x2 .. body), one lambda per letter of `letters`.
TermRef lambdas(std::string_view letters, std::string_view body);

// Empties the global tables and the built-in table.
void reset_tables();
// Enters the prelude's combinators A..Z and the binders and logic operators
// (\ { ! & |) into the global table, as lambda terms.
void install_combinators();
// Adds a built-in row and its global template (arity lambdas around Z).
void install_builtin(const char* name, int arity, BuiltinHandler handler);
// Installs test built-ins on small non-negative-or-negative integers:
// plus, dash, mult (2), less (2, K/H), same (2, K/H).
void install_small_arithmetic();
// Defines a global: name = body (plain) or, when uncached, (I body) with the
// name listed among the uncached names.
void define(const char* name, std::string_view body, bool uncached = false);

// Structural equality through compare_terms (both borrowed).
bool same_term(const TermRef& a, const TermRef& b);
// A readable text of a term in the notation above (borrowed; for messages).
Bytes show(const TermRef& t);

// Resets the tables around each test and checks that the test gave back
// every cell it made.
class EngineTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;

   private:
    std::uint64_t live_before_ = 0;
};

}  // namespace vesk::test
