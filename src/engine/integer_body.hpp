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

#include "engine/contract.hpp"
#include "engine/name_cache.hpp"

namespace vesk {

// On unless a test compares integer bodies with the plain reduction.
inline bool engine_integer_bodies = true;

// Compiles the body of plan `index` and of the plans it calls, as far as
// they are not compiled yet; each ends with its code ready, or none when
// it is not an integer body or calls one that is not.
void compile_integer_body(NameCache& cache, std::size_t index);

// The value of plan `index`'s global applied to the spine's arguments
// (borrowed), computed by its code: an annotated owner of an integer leaf.
// nullptr when the plan has no code or an argument is not a small integer;
// the caller then unfolds the body as usual. Compiles the plan on its first
// call, which can make other plans: a GlobalPlan pointer held across this
// call must be read again.
[[nodiscard]] Term* run_integer_body(Machine& m, std::size_t index, const Spine& s);

}  // namespace vesk
