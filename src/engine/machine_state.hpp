// The machine's working form of a state (continuation focus).
//
// The continuation is kept as a stack of frames in a vector, top last,
// instead of a chain of B and T cells: a frame is one owned cell pointer
// with its low bit telling the two kinds apart (cells are 8-aligned).
//   return frame g     (B k g):     a value v in focus continues as (g v)
//   argument frame x   (B k (T x)): a value v in focus continues as (v x)
// The empty stack is the continuation I. Applying a value to an argument
// frame's term directly is the prelude's T contraction done in the same
// step, since the machine always reads T a b as b a.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/annotate.hpp"
#include "engine/build.hpp"
#include "engine/name_cache.hpp"
#include "terms/term.hpp"

namespace vesk {

using Frame = std::uintptr_t;
inline constexpr Frame kArgumentBit = 1;

inline Frame return_frame(Term* g) {
    return reinterpret_cast<Frame>(g);
}
inline Frame argument_frame(Term* x) {
    return reinterpret_cast<Frame>(x) | kArgumentBit;
}
inline bool is_argument_frame(Frame f) {
    return (f & kArgumentBit) != 0;
}
[[nodiscard]] inline Term* frame_term(Frame f) {
    return reinterpret_cast<Term*>(f & ~kArgumentBit);
}

struct Machine {
    Runtime& rt;                // the tables this run reads and writes
    Term* focus = nullptr;      // owned
    std::vector<Frame> frames;  // each frame owns its cell
    NameCache names;
    // Whether a value meeting an argument frame to reduce goes to it at once
    // (machine.cpp): off, with the plans' heads, when exactly one step is
    // asked for.
    bool argument_shortcut = true;

    explicit Machine(Runtime& runtime) : rt(runtime), names(runtime) {}
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;
    ~Machine();
};

// Drops every frame: the continuation becomes I. Used when a run ends early.
void clear_frames(Machine& m);
// Replaces the focus by `next` (an owner handed over), releasing the old one.
inline void set_focus(Machine& m, Term* next) {
    Term* old = m.focus;
    m.focus = next;
    if (old != nullptr) release(old);
}

// Contracts the saturated redex in focus: see contract.cpp for the rules.
void contract_focus(Machine& m);

}  // namespace vesk
