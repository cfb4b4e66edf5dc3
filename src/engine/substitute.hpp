// Substitution of closed values for one-letter variables.
//
// A subterm without any of the replaced letters free is shared, not copied;
// a lambda or let binding a letter stops its replacement in the binder's
// body; every cell built is annotated. Nothing recurses: the walk runs on an
// explicit stack, so bodies may be of any depth.
//
// A substitution into the same body happens at every call of a global, so
// the walk can be recorded once as a plan, a postorder list of three
// instructions (share this cell, push the value of this letter, pair the two
// results on top), and replayed for each call without looking at variable
// sets or binder shapes again.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/integer_code.hpp"

#include "runtime/globals.hpp"
#include "terms/term.hpp"

namespace vesk {

// Values for several letters at once: letter 'a' + i is replaced by
// values[i] when bit i of `letters` is set. The values are borrowed, closed
// and annotated; the caller keeps them alive during the call.
struct Substitution {
    std::uint32_t letters = 0;
    Term* values[26] = {};
};

// The substitution of s into t (borrowed): an owner the caller takes.
[[nodiscard]] Term* substitute_cells(const GlobalTable& globals, Term* t, const Substitution& s);

// One letter x ('a'..'z', asserted): t consumed, v borrowed (a closed value).
[[nodiscard]] TermRef substitute(const GlobalTable& globals, TermRef t, const TermRef& v, char x);

// Most pairs a plan builds have an annotation that does not depend on the
// values: only a value as a left child (or under one) changes an arity or a
// binder shape, and only next to a data left child does a value's own kind
// matter. Such pairs carry their header, worked out once when the plan is
// made, and are not annotated again at every call.
//
// The outermost pairs of the body's head spine that are known to have a
// negative arity (more arguments than their head takes) are marked in bit 0
// of their header (a refs bit, otherwise 0 there): a machine given that
// body descends through them at once, pushing their right sides as argument
// frames, so run_plan_onto leaves them unbuilt.
struct PlanStep {
    enum Kind : std::uint32_t { share, value, pair };
    Kind kind;
    std::uint32_t letter;  // value: 0 for 'a' .. 25 for 'z'
    Term* cell;            // share: borrowed from the plan's body
    std::uint64_t header;  // pair: the known header without refs, or 0
};
inline constexpr std::uint64_t kUnbuiltSpine = 1;
// The spine's other pairs, down to a head that is not a binder's leaf, are
// marked in bit 1: left unbuilt too when the machine asks for the whole
// spine (it takes several transitions in one step).
inline constexpr std::uint64_t kUnbuiltWhole = 2;

struct PlanChoice;

// The recorded walk of substituting the letters `letters` into `body`. The
// plan holds its body, so the cells it shares stay alive with it.
//
// A body that is a comparison of integer expressions choosing between two
// branches (integer_body.hpp) may also carry the plans of its branches: when
// the test's operands are small integers, replaying gives the chosen
// branch only, which is what the comparison, the truth it gives and the
// truth's choice of its first or second argument would leave in focus, and
// the branch not taken is never built.
struct SubstitutionPlan {
    TermRef body;
    std::vector<PlanStep> steps;
    std::size_t depth = 0;  // the most results on the stack at any step
    std::unique_ptr<PlanChoice> choice;
};

struct PlanChoice {
    std::vector<IntegerStep> test;  // 1 for yes, 0 for no
    SubstitutionPlan yes, no;
};

// On unless a test compares plans that choose with the plain replay.
inline bool engine_plan_choices = true;

// Records the plan of substituting `letters` into body (consumed).
// `values_reduced`: every value the plan will be given is a value (the
// arguments of a head that reduces them first), so pairs over them may
// carry a header worked out once.
[[nodiscard]] SubstitutionPlan make_plan(const GlobalTable& globals, TermRef body,
                                         std::uint32_t letters, bool values_reduced);
// Replays the plan with values[i] for letter 'a' + i (borrowed; only the
// plan's letters are read): the same term substitute_cells builds, as an
// owner.
[[nodiscard]] Term* run_plan(const SubstitutionPlan& plan, Term* const* values);
// The same replay, except that the marked spine pairs are not built: their
// right sides are pushed onto `frames` as argument frames (owners, the
// outermost first, so the innermost is on top) and the rest of the spine
// is returned, as an owner, as the new focus.
// With `all_of_spine` the pairs marked kUnbuiltWhole are left too.
[[nodiscard]] Term* run_plan_onto(const SubstitutionPlan& plan, Term* const* values,
                                  std::vector<std::uintptr_t>& frames, bool all_of_spine);

}  // namespace vesk
