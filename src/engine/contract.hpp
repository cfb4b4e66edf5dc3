// The pieces of a saturated redex, shared by the contraction rules.
#pragma once

#include <span>

#include "engine/machine_state.hpp"

namespace vesk {

// Enough for any saturated redex: a global takes at most 11 arguments, a
// built-in 7, a binder 3.
inline constexpr int kMaxArguments = 12;

// The head and arguments of the redex in focus, borrowed from it: arg[0] is
// the first argument (the innermost right child), arg[count - 1] the last.
// Bit i of `sole` is set when arg[i] is held by nothing but the machine's
// own reference to the redex: the argument and every spine cell above it
// have one owner each. A built-in may then change that argument in place
// without anyone else seeing it.
struct Spine {
    Term* head;
    Term* arg[kMaxArguments];
    int count;
    std::uint16_t sole;
};
// The arguments of a spine as a span, first argument first.
inline std::span<Term* const> spine_arguments(const Spine& s) {
    return {s.arg, static_cast<std::size_t>(s.count)};
}

// Walks the annotated redex t down its left children to the head: a leaf,
// or a data subterm (borrowed). t counts as held by one owner of the
// machine's (the focus or a frame) when its own count is 1.
Spine open_spine(Term* t);

// Contracts a redex that has not been built as cells: the head and
// arguments of `s` come from the value in focus and the frames it meets.
// Only heads whose rule needs nothing but the arguments are taken: a global
// function (unfolded through its plan), a lambda, or a built-in (its handler
// reads the arguments where they are). The caller has taken the frames the
// arguments came from off the stack (keeping their owners until this
// returns): a global's body may push frames of its own. On success the
// focus is replaced by the contractum (releasing the old focus) and
// Unbuilt::contracted returned. A built-in whose result is an error ends
// the run at once: the frames are gone and Unbuilt::ended returned.
// Unbuilt::refused leaves everything as it was.
enum class Unbuilt { contracted, ended, refused };
Unbuilt contract_unbuilt(Machine& m, const Spine& s);
// A name leaf in focus that stands for a constant whose definition is
// already a value becomes that value, as contracting it would make it;
// false (nothing done) for any other focus. The caller goes on with the
// value in the same step.
bool contract_alias(Machine& m);
// Literal heads (number, data, counted and raw leaves): unfolds the literal
// by one level. The focus is the redex of `s`.
void contract_number(Machine& m, const Spine& s);
void contract_data(Machine& m, const Spine& s);
void contract_counted(Machine& m, const Spine& s);
void contract_raw(Machine& m, const Spine& s);

}  // namespace vesk
