// Integer bodies: a global whose body does nothing but integer arithmetic,
// comparisons that choose between two branches and calls of such globals
// is run, when its arguments are small integers, as code over host
// integers instead of being reduced as cells.
//
// After its plan's head contraction, such a body is an expression e:
//   e ::= x               a parameter
//       | k               an integer leaf, or a name whose definition is one
//       | op e1 e2        op a built-in (or a name standing for one, as +
//                         stands for plus) whose row has an arithmetic rule
//       | cmp e1 e2 e3 e4 cmp a comparison: its truth K or H picks e3 or e4
//       | g e1 .. en      g a global of n lambdas that is an integer body
//                         itself and not a linear name
//       | I e ..          a linear global that gives its one argument back
// The code computes exactly the leaf that reducing the body would give:
// every part is pure and ends in an integer or a truth; the machine reduces
// a built-in's or a global's arguments to values left to right before the
// call, as the code does; a truth, being linear, takes the chosen branch as
// it stands and drops the other unreduced, as the code's jump does. Sums
// and products beyond 64 bits are left to the built-in's handler, on leaves;
// where the handler gives no integer (a zero divisor gives Z) the run gives
// up and the call is reduced as cells from its start, which, all of it
// being pure, gives what it would have given.
// The result is a new leaf with the same text where the machine might have
// handed back the argument's or the literal's own cell.
#pragma once

#include <cstddef>
#include <optional>

#include "engine/contract.hpp"
#include "engine/name_cache.hpp"

namespace vesk {

// On unless a test compares integer bodies with the plain reduction.
inline bool engine_integer_bodies = true;

// Compiles the body of plan `index` and of the plans it calls, as far as
// they are not compiled yet; each ends with its code ready, or none when
// it is not an integer body or calls one that is not.
void compile_integer_body(NameCache& cache, std::size_t index);

// A body that opens, as the machine would meet it after its alias and
// identity contractions, as a comparison of two integer expressions
// choosing between two branches: cmp e1 e2 yes no. `test` computes the
// truth from the values of the letters (by their place in the alphabet),
// calling nothing; yes and no are borrowed from the body.
struct Choice {
    std::vector<IntegerStep> test;
    Term* yes = nullptr;
    Term* no = nullptr;
};
// Whether t (borrowed, annotated) opens so, while the program's K and H
// choose as the prelude's do.
bool open_choice(NameCache& cache, Term* t, Choice& out);

// The value of `code` (made for a choice or an argument: no calls) on the
// letters' values (borrowed, by letter), or nullopt when one it reads is
// not a small integer or a step would leave 64 bits.
std::optional<std::int64_t> run_flat_code(const std::vector<IntegerStep>& code,
                                          Term* const* values);

// The value of plan `index`'s global applied to the spine's arguments
// (borrowed), computed by its code: an annotated owner of an integer leaf.
// nullptr when the plan has no code or an argument is not a small integer;
// the caller then unfolds the body as usual. Compiles the plan on its first
// call, which can make other plans: a GlobalPlan pointer held across this
// call must be read again.
[[nodiscard]] Term* run_integer_body(Machine& m, std::size_t index, const Spine& s);

}  // namespace vesk
