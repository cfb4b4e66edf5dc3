// Plans that choose: a body that is a comparison choosing between two
// branches carries the plans of its branches (substitute.hpp), found as
// the integer code finds its tests (integer_body.hpp), so that a call
// whose test comes out on small integers builds only the branch taken.
#pragma once

#include <cstdint>

#include "engine/name_cache.hpp"
#include "engine/substitute.hpp"

namespace vesk {

// Gives `plan` (its body over the letters `letters`, whose values are all
// values: the caller's head reduces its arguments) the choices of its
// body and of its branches, a few levels deep. Off with the plans' heads
// (a machine that takes one step at a time) and with engine_plan_choices.
// May make other globals' plans: `plan` must not live in the cache's own
// table while this runs.
void attach_choices(NameCache& cache, SubstitutionPlan& plan, std::uint32_t letters);

}  // namespace vesk
