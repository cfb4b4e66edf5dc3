// The call context a built-in's handler receives.
#pragma once

#include <cstdint>
#include <span>

#include "diagnostics/outcome.hpp"
#include "runtime/runtime.hpp"

namespace vesk {

struct Call {
    // The arguments, first argument first, borrowed from the machine: they
    // live until the handler returns. A handler that keeps one in its result
    // takes its own reference (TermRef(arg)).
    std::span<Term* const> args;
    Runtime& rt;
    // Bit i set: the call holds the only reference to args[i] (nothing else,
    // not even a shared parent, reaches it), so the handler may change that
    // cell in place and return it. Clear by default: a caller that cannot
    // tell leaves every argument shared.
    std::uint16_t sole = 0;

    // True when args[i] may be changed in place.
    [[nodiscard]] bool holds_only_reference(std::size_t i) const {
        return i < 16 && (sole & (1u << i)) != 0;
    }

    // The failure leaf "Z": an argument of the wrong kind, or a request the
    // host refused.
    [[nodiscard]] TermRef fail() const;
    // "I": the call has no result of its own.
    [[nodiscard]] TermRef unit() const;
    // "K" for true, "H" for false.
    [[nodiscard]] TermRef truth(bool value) const;
    // The error value of `out`: it ends the run with out's picture.
    [[nodiscard]] TermRef error(const Outcome& out) const;
};

}  // namespace vesk
