// Conversions the memory and C library families share, on top of the value
// kinds of values.hpp: C strings, raw addresses, streams and directory
// handles the run opened, and the error number kept across the
// interpreter's own bookkeeping. All borrow their cells; an empty result
// means the handler answers call.fail() without calling the C function.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "builtins/raw_ranges.hpp"
#include "builtins/values.hpp"
#include "runtime/call.hpp"

namespace vesk {

// The integer argument i of the call.
inline std::optional<std::int64_t> int_arg(const Call& call, std::size_t i) {
    return integer_argument(call.args[i]);
}

// A NUL-terminated text for a C parameter the function only reads: the
// address readable_address gives (a post's payload, a zits leaf from its
// "[", an integer address). Address 0 is refused: no C function reads a
// string there; so is an integer address whose text, up to its NUL, is not
// all readable (raw_ranges.hpp).
std::optional<const char*> c_string(const Call& call, const Term* t);
// The bytes a call reads at t when it is told how many (write, fwrite,
// send, sendto): a post's or zits leaf's own bytes, no more than they hold,
// or that many readable bytes at an integer address, which need hold no
// NUL. Address 0 is refused.
std::optional<const char*> counted_data(const Call& call, const Term* t, std::uint64_t bytes);
// A count: an integer, 0 or more, that fits 64 bits.
std::optional<std::size_t> count_arg(const Call& call, std::size_t i);
// A record length or buffer size for the socket calls (a socklen_t): a
// count no larger than a C int, so that no negative length reaches them.
std::optional<std::uint32_t> length_arg(const Call& call, std::size_t i);
// How many bytes the cell behind a post or zits leaf holds from the address
// c_string gives (a post's payload, a zits leaf's whole text); empty for an
// integer address, whose extent the program answers for.
std::optional<std::size_t> known_extent(const Term* t);
// True when `bytes` more bytes than the cell behind a post or zits holds
// would be read: those are refused, an integer address is trusted.
inline bool reads_past(const Term* data, std::uint64_t bytes) {
    std::optional<std::size_t> extent = known_extent(data);
    return extent && bytes > *extent;
}
// An integer taken as an address; one wider than 64 bits is refused.
// Whether its bytes may be touched is for raw_ranges.hpp to say.
std::optional<void*> raw_address(const Term* t);
// An address the function reads `size` bytes at, or writes them at, as
// raw_ranges.hpp allows; 0 only when `null_ok` (the function takes a null
// pointer there), else refused.
std::optional<void*> record_arg(const Call& call, std::size_t i, std::size_t size, Access access,
                                bool null_ok = false);
// The same, refusing address 0: for parameters the C function writes
// through or reads from without a null test.
std::optional<void*> nonnull_address(const Term* t);

// A stream argument: stdin, stdout, stderr, or a stream this run opened and
// has not closed. Anything else would make the C library touch freed or
// foreign memory.
std::optional<std::FILE*> stream_argument(const Call& call, const Term* t);
// A directory handle this run opened and has not closed.
std::optional<void*> directory_argument(const Call& call, const Term* t);

// Keeps the error number of the C call just made across the bookkeeping
// that follows it (table inserts may allocate), so that `errno` reads the
// call's own.
struct SavedErrno {
    int value = errno;
    void restore() const { errno = value; }
};

}  // namespace vesk
