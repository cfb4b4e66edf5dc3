// Lifted binders: the lambdas and lets inside a global's body, compiled as
// functions of their own so that applying one replays a recorded plan
// instead of walking its body.
//
// When the plan of a global is made, every binder inside its body is
// replaced, innermost first, by the application of a new head leaf to the
// variables it captures (its free letters, in alphabetical order):
//   y1\..\yk\e      (a chain of k lambdas)  becomes  L f1 .. fm
//   {x v e}         (a let)                 becomes  L f1 .. fm v
// L's own body is e with its binders lifted in turn, and its parameters
// are f1 .. fm followed by y1 .. yk (or x). Substituting the global's
// arguments into L f1 .. fm puts the captured values in; the machine then
// applies the closure to the lambda's arguments, or reduces the let's v
// and hands it over, exactly as it would have contracted the binder, and
// the plan of L builds the body with every letter put in at once.
//
// The closure is a value of L's remaining arity, like the lambda it stands
// for; every value substituted into it is a value already, because only
// globals whose heads reduce their arguments first are lifted (a linear
// head takes its arguments as they stand, so a lambda inside its body may
// capture work; such bodies keep their binders). A closure is the engine's
// own: before any other part of the system sees a term that holds one
// (bit `lifted` of the header), `reify_lifted` gives it back its written
// form, the term the plain substitution would have built.
#pragma once

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

#include "engine/substitute.hpp"
#include "terms/term.hpp"

namespace vesk {

struct NameCache;

// On unless a test compares lifted bodies with the plain contractions.
inline bool engine_lift_binders = true;

// A head leaf's text is kLiftedByte followed by its index in decimal; the
// leaf cell itself is what identifies it (a program may make a leaf of the
// same text, which names nothing).
inline constexpr char kLiftedByte = '\x01';

struct LiftedFunction {
    Term* leaf;        // owned: arity captured + parameters, span 0, lifted bit
    TermRef original;  // the binder as written: the lambda chain or the let
    bool let;
    int captured;                        // m: the first m letters are captured
    std::vector<unsigned char> letters;  // captured (ascending), then parameters
    TermRef closure;                     // L f1 .. fm over the body's variable leaves
    TermRef body;                        // e, its own binders lifted
    std::optional<SubstitutionPlan> plan;  // made on first call, dropped at a flush
};

// The functions a machine has lifted, for its whole life: closures outlive
// the name cache's flushes, so their functions do too. One function per
// binder cell, so remaking a global's plan lifts nothing again.
struct LiftedStore {
    std::vector<LiftedFunction> functions;
    std::unordered_map<const Term*, std::size_t> by_original;

    LiftedStore() = default;
    LiftedStore(const LiftedStore&) = delete;
    LiftedStore& operator=(const LiftedStore&) = delete;
    ~LiftedStore();
};

// `body` (borrowed, annotated) with its binders lifted, as a handle; the
// same cell when it holds none that can be lifted. A binder is left as it
// is when it binds a name that is not a letter or when its function would
// take more than 10 arguments; binders inside it are still lifted.
[[nodiscard]] TermRef lift_binders(NameCache& cache, Term* body);

// The function of a lifted head leaf (borrowed), or nullptr for any other
// leaf. Valid until the next binder is lifted.
LiftedFunction* find_lifted(LiftedStore& store, const Term* leaf);

// The plan of function f, made on first use (with its head contracted, as
// a global's is). Valid until the next flush.
const SubstitutionPlan& lifted_plan(NameCache& cache, LiftedFunction& f);

// Drops every plan (they read the globals, which a flush says changed).
void forget_lifted_plans(LiftedStore& store);

}  // namespace vesk
