// Contracting the head of a global's body once, when its plan is made.
//
// A body such as `? (? (< n 2) n) (...)` begins with redexes whose
// contraction needs nothing from the call's arguments: an operator name
// that stands for a value (? for I), and a linear combinator given all of
// its arguments (I x = x). The machine contracts them first thing at every
// call, the same way each time. Contracting them once in the plan hands the
// machine the state it would reach anyway, a few steps sooner.
#pragma once

#include "engine/contract.hpp"
#include "engine/name_cache.hpp"

namespace vesk {

// The head and arguments of a term's application spine (borrowed, its
// spine annotated), the first argument first.
struct HeadSpine {
    Term* head;
    Term* arg[kMaxArguments];
    int count;
};
// Reads t's spine into s; false when it has more arguments than any redex
// takes.
bool read_spine(Term* t, HeadSpine& s);

// On unless a test compares the plans with the plain transitions.
inline bool engine_plan_heads = true;

// `body` (borrowed, annotated here if it is not yet; its free letters are the parameters of its
// global) with its head contracted, for a few rounds at most, while that
// head is
//   - a name whose definition is a leaf that is a value: the leaf, as the
//     machine's alias rule puts it;
//   - a linear global of p lambdas (p < 11) applied to at least p
//     arguments, whose body under the lambdas binds no letter, so that
//     putting in arguments with free letters cannot capture one: that body
//     with the arguments put in.
// The same term when neither applies. The result is annotated.
[[nodiscard]] TermRef contract_plan_head(NameCache& cache, const TermRef& body);

}  // namespace vesk
