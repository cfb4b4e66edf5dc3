// The C library's string functions. A text parameter (one the function
// only reads) takes a post, a zits leaf (from its "[") or an integer
// address; a destination is an integer address inside a block of the run.
// Every address is checked for the bytes the function will touch
// (raw_ranges.hpp) before it is called.
// Copies strdup makes are blocks of the run, as malloc's are.
#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

TermRef strlen_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    if (!s) return c.fail();
    return integer_result(static_cast<std::int64_t>(std::strlen(*s)));
}

TermRef strdup_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    if (!s) return c.fail();
    char* copy = strdup(*s);
    SavedErrno saved;
    note_block(c.rt.host, copy, copy == nullptr ? 0 : std::strlen(copy) + 1);
    saved.restore();
    return pointer_result(copy);
}

TermRef strerror_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n) return c.fail();
    return pointer_result(std::strerror(static_cast<int>(*n)));
}

// strcmp and strcasecmp.
TermRef compare(Call& c, int (*cmp)(const char*, const char*)) {
    std::optional<const char*> a = c_string(c, c.args[0]), b = c_string(c, c.args[1]);
    if (!a || !b) return c.fail();
    return integer_result(cmp(*a, *b));
}

// A text argument read at most n bytes far (strncmp, strnlen): an integer
// address need hold a NUL only within them.
std::optional<const char*> bounded_text(const Call& c, std::size_t i, std::size_t n) {
    if (classify(c.args[i]) != ValueKind::hint) return c_string(c, c.args[i]);
    std::optional<void*> at = nonnull_address(c.args[i]);
    if (!at || !text_length(c.rt.host, static_cast<const char*>(*at), n, Access::read)) {
        return std::nullopt;
    }
    return static_cast<const char*>(*at);
}

// strncmp and strncasecmp.
TermRef compare_n(Call& c, int (*cmp)(const char*, const char*, std::size_t)) {
    std::optional<std::size_t> n = count_arg(c, 2);
    if (!n) return c.fail();
    std::optional<const char*> a = bounded_text(c, 0, *n), b = bounded_text(c, 1, *n);
    if (!a || !b) return c.fail();
    return integer_result(cmp(*a, *b, *n));
}

// The length of a text argument: its NUL lies inside what c_string allowed.
std::size_t length_of(const char* s) {
    return std::strlen(s);
}

// True when [a, a + n) and [b, b + m) share a byte: the copying functions
// are undefined on such texts, and are refused instead.
bool overlap(const char* a, std::size_t n, const char* b, std::size_t m) {
    return a < b + m && b < a + n;
}

// The destination of strcpy and strncpy (its first n bytes written), of
// strcat and strncat (its text and the bytes appended after it): bytes of a
// block of the run, or nothing.
std::optional<char*> destination(const Call& c, std::size_t written, bool appends) {
    std::optional<void*> dst = nonnull_address(c.args[0]);
    if (!dst) return std::nullopt;
    auto* d = static_cast<char*>(*dst);
    std::size_t kept = 0;
    if (appends) {
        std::optional<std::size_t> n = text_length(c.rt.host, d, SIZE_MAX, Access::write);
        if (!n) return std::nullopt;
        kept = *n;
    }
    if (!range_allowed(c.rt.host, d, kept + written, Access::write)) return std::nullopt;
    return d;
}

// strcpy (appends false) and strcat: destination, source.
TermRef copy_to(Call& c, bool appends) {
    std::optional<const char*> src = c_string(c, c.args[1]);
    if (!src) return c.fail();
    std::size_t n = length_of(*src) + 1;
    std::optional<char*> dst = destination(c, n, appends);
    if (!dst || overlap(*dst, length_of(*dst) + n, *src, n)) return c.fail();
    return pointer_result(appends ? std::strcat(*dst, *src) : std::strcpy(*dst, *src));
}

// strncpy (appends false: exactly n bytes written) and strncat (at most n
// bytes of the source and a NUL after the destination's text).
TermRef copy_to_n(Call& c, bool appends) {
    std::optional<const char*> src = c_string(c, c.args[1]);
    std::optional<std::size_t> n = count_arg(c, 2);
    if (!src || !n) return c.fail();
    std::size_t taken = std::min(*n, length_of(*src));
    std::optional<char*> dst = destination(c, appends ? taken + 1 : *n, appends);
    if (!dst || overlap(*dst, (appends ? length_of(*dst) + 1 : 0) + *n, *src, taken + 1)) {
        return c.fail();
    }
    return pointer_result(appends ? std::strncat(*dst, *src, *n) : std::strncpy(*dst, *src, *n));
}

// strchr and strrchr: the address of the character, or 0.
TermRef find_char(Call& c, bool last) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    std::optional<std::int64_t> ch = int_arg(c, 1);
    if (!s || !ch) return c.fail();
    int value = static_cast<int>(*ch);
    return pointer_result(last ? std::strrchr(*s, value) : std::strchr(*s, value));
}

TermRef strnlen_handler(Call& c) {
    std::optional<std::size_t> n = count_arg(c, 1);
    if (!n) return c.fail();
    std::optional<const char*> s = bounded_text(c, 0, *n);
    if (!s) return c.fail();
    return integer_result(static_cast<std::int64_t>(strnlen(*s, *n)));
}

// strpbrk (spans false) and strstr: an address or 0.
TermRef find_text(Call& c, bool any_of) {
    std::optional<const char*> s = c_string(c, c.args[0]), t = c_string(c, c.args[1]);
    if (!s || !t) return c.fail();
    return pointer_result(any_of ? std::strpbrk(*s, *t) : std::strstr(*s, *t));
}

TermRef strspn_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]), t = c_string(c, c.args[1]);
    if (!s || !t) return c.fail();
    return integer_result(static_cast<std::int64_t>(std::strspn(*s, *t)));
}

// A string strtok may cut: NUL-terminated inside a block of the run (it
// writes NULs into it).
bool cuttable(const Call& c, char* s) {
    return text_length(c.rt.host, s, SIZE_MAX, Access::write).has_value();
}

// strtok: the string (an address, 0 to go on with the last one), delimiters.
// Where it goes on is kept in the run, not in the C library, so that 0 with
// nothing to go on, or with the string's block freed since, gives "Z".
TermRef strtok_handler(Call& c) {
    std::optional<void*> s = raw_address(c.args[0]);
    std::optional<const char*> delims = c_string(c, c.args[1]);
    if (!s || !delims) return c.fail();
    char* from = *s == nullptr ? c.rt.host.strtok_rest : static_cast<char*>(*s);
    if (from == nullptr || !cuttable(c, from)) return c.fail();
    return pointer_result(strtok_r(from, *delims, &c.rt.host.strtok_rest));
}

// strtok_r: the same, with the place to go on in a word the program gives.
TermRef strtok_r_handler(Call& c) {
    std::optional<void*> s = raw_address(c.args[0]);
    std::optional<const char*> delims = c_string(c, c.args[1]);
    std::optional<void*> context = nonnull_address(c.args[2]);
    if (!s || !delims || !context) return c.fail();
    if (!range_allowed(c.rt.host, *context, sizeof(char*), Access::write)) return c.fail();
    auto* rest = static_cast<char**>(*context);
    char* from = *s == nullptr ? *rest : static_cast<char*>(*s);
    if (from == nullptr || !cuttable(c, from)) return c.fail();
    return pointer_result(strtok_r(from, *delims, rest));
}

int plain_strcmp(const char* a, const char* b) {
    return std::strcmp(a, b);
}
int plain_strncmp(const char* a, const char* b, std::size_t n) {
    return std::strncmp(a, b, n);
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kClibTextRows[] = {
    {"strlen", 1, kHost, strlen_handler},
    {"strdup", 1, kHost, strdup_handler},
    {"strerror", 1, kHost, strerror_handler},
    {"strcmp", 2, kHost, [](Call& c) { return compare(c, plain_strcmp); }},
    {"strcasecmp", 2, kHost, [](Call& c) { return compare(c, strcasecmp); }},
    {"strncmp", 3, kHost, [](Call& c) { return compare_n(c, plain_strncmp); }},
    {"strncasecmp", 3, kHost, [](Call& c) { return compare_n(c, strncasecmp); }},
    {"strcpy", 2, kHost, [](Call& c) { return copy_to(c, false); }},
    {"strcat", 2, kHost, [](Call& c) { return copy_to(c, true); }},
    {"strncpy", 3, kHost, [](Call& c) { return copy_to_n(c, false); }},
    {"strncat", 3, kHost, [](Call& c) { return copy_to_n(c, true); }},
    {"strchr", 2, kHost, [](Call& c) { return find_char(c, false); }},
    {"strrchr", 2, kHost, [](Call& c) { return find_char(c, true); }},
    {"strnlen", 2, kHost, strnlen_handler},
    {"strpbrk", 2, kHost, [](Call& c) { return find_text(c, true); }},
    {"strstr", 2, kHost, [](Call& c) { return find_text(c, false); }},
    {"strspn", 2, kHost, strspn_handler},
    {"strtok", 2, kHost, strtok_handler},
    {"strtok_r", 3, kHost, strtok_r_handler},
};

}  // namespace

const BuiltinFamily kClibTextFamily = {"strings", kClibTextRows};

}  // namespace vesk
