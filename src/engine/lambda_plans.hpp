// Plans for lambdas that are applied again and again: a lambda the plans
// of globals did not lift (one in the main expression, in the body of a
// linear-named global, in text given at run time) is substituted into by a
// walk at every application. A lambda body met a second time gets a plan
// like a global's (its binders lifted, its head contracted, its choices),
// and later applications replay it.
//
// The table is small and direct-mapped by the body's address, so it holds
// at most kLambdaSlots bodies alive: a body seen once is remembered by its
// address alone (a later body at a reused address only gets its plan one
// application sooner), and only a body with a plan is held.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "engine/substitute.hpp"
#include "terms/term.hpp"

namespace vesk {

struct NameCache;

inline constexpr std::size_t kLambdaSlots = 64;

struct LambdaSlot {
    const Term* seen = nullptr;   // a body met once, not held
    std::optional<TermRef> body;  // the body the plan is of, held
    unsigned char letter = 0;
    std::optional<SubstitutionPlan> plan;
};

struct LambdaPlans {
    std::array<LambdaSlot, kLambdaSlots> slots;
};

// The plan of substituting `letter` into `body` (borrowed, the body of a
// lambda being applied), or nullptr while the body has not been met twice.
// Valid until the next call. Off with the plans' heads or the lifted
// binders.
const SubstitutionPlan* lambda_plan(NameCache& cache, Term* body, unsigned char letter);

// Forgets every plan (they read the globals, which a flush says changed).
void forget_lambda_plans(LambdaPlans& plans);

}  // namespace vesk
