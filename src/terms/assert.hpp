// The one assertion macro of the system. A broken internal invariant prints
// "ASSERTION FAILED:<file>:<line>" on standard error and aborts. User input
// must never reach one: bad programs get error pictures, bad built-in
// arguments get the failure leaf.
#pragma once

namespace vesk {

[[noreturn]] void assertion_failed(const char* file, int line);

// Writes "REDVFAIL: " reason "\n" to standard output, then fails through the
// assertion path: for cases the rest of the system never lets through.
[[noreturn]] void fatal_failure(const char* reason, const char* file, int line);

}  // namespace vesk

#define VESK_ASSERT(cond)                                 \
    do {                                                  \
        if (!(cond)) [[unlikely]]                         \
            ::vesk::assertion_failed(__FILE__, __LINE__); \
    } while (0)

#define VESK_FATAL(reason) ::vesk::fatal_failure((reason), __FILE__, __LINE__)
