// Whether error pictures on standard error carry ANSI colour sequences.
// The rule follows compilers and the NO_COLOR convention: colour only on a
// terminal, never when NO_COLOR asks for none, and VESK_COLOR=always or
// never overriding both.
#pragma once

namespace vesk {

// What the decision looks at. The texts are environment values, null when
// the variable is unset; all are borrowed.
struct ColourInputs {
    const char* vesk_color = nullptr;  // VESK_COLOR: "always", "never", else automatic
    const char* no_color = nullptr;    // NO_COLOR: set and not empty turns colour off
    const char* term = nullptr;        // TERM: "dumb" turns automatic colour off
    bool stderr_is_terminal = false;
};

// Explicit VESK_COLOR first, then NO_COLOR, then the terminal test.
bool colour_wanted(const ColourInputs& inputs);

// The decision for this process: reads the environment and asks whether
// standard error is a terminal.
bool colour_for_standard_error();

}  // namespace vesk
