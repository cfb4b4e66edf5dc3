// Settling definitions that the checks left waiting (runtime/pending.hpp):
// each is parsed, rewritten, renamed, shared and annotated when first used,
// which is what the checks would have done to it at the start.
#pragma once

#include <string_view>

#include "runtime/runtime.hpp"

namespace vesk {

// Settles the waiting definition of `name`, if one waits. Once none waits,
// the sharing table keeps only its values, as at the end of the checks.
void settle_waiting(Runtime& rt, std::string_view name);
// Settles every waiting definition, in name order.
void settle_all_waiting(Runtime& rt);

}  // namespace vesk
