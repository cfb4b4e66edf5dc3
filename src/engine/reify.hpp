// Giving lifted closures back their written form (engine/lift.hpp).
//
// A closure L c1 .. cm a1 .. aj of a lambda chain y1\..\yk\e (j < k) is
// what the machine made of that lambda with the captured values put in and
// j arguments applied; the plain contractions would have made the lambda
// yk-j\..\e with all of them substituted, and that is its written form. A
// let's closure L c1 .. cm v is the let {x v e} with the captured values put
// into e. Arguments beyond those stay applied. Everything else is rebuilt
// only along the paths that lead to a closure; the rest is shared.
#pragma once

#include "engine/lift.hpp"
#include "runtime/globals.hpp"
#include "terms/term.hpp"

namespace vesk {

// The written form of t (borrowed), an annotated owner: t itself when it
// holds no closure. Works on an explicit stack, so t may be of any depth.
[[nodiscard]] Term* reify_lifted(const GlobalTable& globals, LiftedStore& store, Term* t);

}  // namespace vesk
