// What `vesk --explain` gathers while a program runs: the first built-in
// call that gave the failure leaf Z, and the program's latest global calls.
//
// The machine records into a trail only when the runtime points at one
// (Runtime::trail), so a run without --explain pays one pointer test per
// built-in call and per global unfolded. The driver reads the trail after
// the run and prints it (driver/explain.hpp).
#pragma once

#include <bitset>
#include <cstddef>
#include <deque>
#include <string_view>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

// A global whose body is being reduced: its name leaf (owned), the nesting
// of run-time definitions it was entered at (Runtime::nested_runs) and the
// machine's frame depth then. A call made at a smaller depth of the same
// machine, or by an outer machine, is past its body.
struct OpenCall {
    TermRef name;
    std::size_t level;
    std::size_t depth;
};

// How many of the latest global calls the trail keeps, and how many open
// calls it remembers (a deeper recursion forgets its outermost ones).
inline constexpr std::size_t kRecentCalls = 8;
inline constexpr std::size_t kOpenCallLimit = 4096;

struct ExplainTrail {
    // Whether the run stage began: a program that fails to load or check
    // has nothing to explain beyond its picture.
    bool ran = false;
    // The first built-in call whose result was Z: its row's name, its
    // arguments as the handler saw them (owned), and the global whose body
    // was being reduced (empty: the main expression; `caller_level` above
    // 0: the main expression of a text given to road or load).
    bool failed = false;
    std::string_view builtin;
    std::vector<TermRef> arguments;
    Bytes caller;
    std::size_t caller_level = 0;
    // Open calls, innermost last.
    std::deque<OpenCall> open;
    // The latest global calls: a ring of at most kRecentCalls names, the
    // next one replacing entry `calls % kRecentCalls`; `calls` counts every one.
    std::vector<TermRef> recent;
    std::size_t calls = 0;
    // One-byte names that stay the prelude's (its combinators and operator
    // names, unless the program redefines them): their calls are the
    // program's plumbing and are not kept.
    std::bitset<256> hidden;
};

}  // namespace vesk
