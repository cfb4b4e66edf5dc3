// The code of an integer body (integer_body.hpp): a global's body compiled
// to steps over a stack of host integers.
//
// Each activation has its parameters at the bottom of its part of the
// stack, its first argument first; a step pushes, pops or jumps. A call
// leaves its arguments on top and its callee takes them as its parameters;
// `done` replaces the activation's part by the value on top.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/builtin_table.hpp"
#include "terms/term.hpp"

namespace vesk {

struct IntegerStep {
    enum Op : std::uint8_t {
        param,      // push parameter `count`
        constant,   // push `value`, or the integer leaf `leaf` beyond 64 bits
        arith,      // pop b, a; push row(a, b): `row->integer` gives an integer
        test,       // pop b, a; unless row(a, b) is true, go to `target`
        jump,       // go to `target`
        call,       // call plan `target` on the `count` values on top
        tail_call,  // the same, in place of this activation
        done,       // return the value on top
    };
    Op op;
    std::uint16_t count = 0;
    std::uint32_t target = 0;
    std::int64_t value = 0;
    const BuiltinRow* row = nullptr;
    // borrowed from the plan's body or a global's definition: either lives
    // as long as the code, which a change of the globals flushes
    Term* leaf = nullptr;
};

// Whether a plan's body has code: not looked at yet, being compiled (a call
// back into it is taken on trust until the compile ends), compiled, or not
// an integer body.
enum class CodeState : std::uint8_t { unknown, compiling, ready, none };

// A run that gives up (integer_body.hpp) costs only its own call: the code
// stays, but after g give-ups in a row the next 2^g - 1 calls (at most
// 2^16 - 1) go to the cells without trying it, so a body that keeps
// giving up deep inside a recursion is not run again at every level.
struct IntegerCode {
    CodeState state = CodeState::unknown;
    std::vector<IntegerStep> steps;
    std::uint8_t give_ups = 0;  // in a row; a run that ends well clears it
    std::uint32_t skip = 0;     // calls still to leave to the cells
};

}  // namespace vesk
