// The C library's string functions. A text parameter (one the function
// only reads) takes a post, a zits leaf (from its "[") or an integer
// address; a destination is an integer address the program answers for.
// Copies strdup makes are blocks of the run, as malloc's are.
#include <strings.h>

#include <cstring>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

std::size_t as_size(std::int64_t n) {
    return static_cast<std::size_t>(n);
}

TermRef strlen_handler(Call& c) {
    std::optional<const char*> s = c_string(c.args[0]);
    if (!s) return c.fail();
    return integer_result(static_cast<std::int64_t>(std::strlen(*s)));
}

TermRef strdup_handler(Call& c) {
    std::optional<const char*> s = c_string(c.args[0]);
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
    std::optional<const char*> a = c_string(c.args[0]), b = c_string(c.args[1]);
    if (!a || !b) return c.fail();
    return integer_result(cmp(*a, *b));
}

// strncmp and strncasecmp.
TermRef compare_n(Call& c, int (*cmp)(const char*, const char*, std::size_t)) {
    std::optional<const char*> a = c_string(c.args[0]), b = c_string(c.args[1]);
    std::optional<std::int64_t> n = int_arg(c, 2);
    if (!a || !b || !n) return c.fail();
    return integer_result(cmp(*a, *b, as_size(*n)));
}

// strcpy and strcat: destination, source.
TermRef copy_to(Call& c, char* (*fn)(char*, const char*)) {
    std::optional<void*> dst = nonnull_address(c.args[0]);
    std::optional<const char*> src = c_string(c.args[1]);
    if (!dst || !src) return c.fail();
    return pointer_result(fn(static_cast<char*>(*dst), *src));
}

// strncpy and strncat: destination, source, count.
TermRef copy_to_n(Call& c, char* (*fn)(char*, const char*, std::size_t)) {
    std::optional<void*> dst = nonnull_address(c.args[0]);
    std::optional<const char*> src = c_string(c.args[1]);
    std::optional<std::int64_t> n = int_arg(c, 2);
    if (!dst || !src || !n) return c.fail();
    return pointer_result(fn(static_cast<char*>(*dst), *src, as_size(*n)));
}

// strchr and strrchr: the address of the character, or 0.
TermRef find_char(Call& c, bool last) {
    std::optional<const char*> s = c_string(c.args[0]);
    std::optional<std::int64_t> ch = int_arg(c, 1);
    if (!s || !ch) return c.fail();
    int value = static_cast<int>(*ch);
    return pointer_result(last ? std::strrchr(*s, value) : std::strchr(*s, value));
}

TermRef strnlen_handler(Call& c) {
    std::optional<const char*> s = c_string(c.args[0]);
    std::optional<std::int64_t> n = int_arg(c, 1);
    if (!s || !n) return c.fail();
    return integer_result(static_cast<std::int64_t>(strnlen(*s, as_size(*n))));
}

// strpbrk (spans false) and strstr: an address or 0.
TermRef find_text(Call& c, bool any_of) {
    std::optional<const char*> s = c_string(c.args[0]), t = c_string(c.args[1]);
    if (!s || !t) return c.fail();
    return pointer_result(any_of ? std::strpbrk(*s, *t) : std::strstr(*s, *t));
}

TermRef strspn_handler(Call& c) {
    std::optional<const char*> s = c_string(c.args[0]), t = c_string(c.args[1]);
    if (!s || !t) return c.fail();
    return integer_result(static_cast<std::int64_t>(std::strspn(*s, *t)));
}

// strtok: the string (an address, 0 to go on with the last one), delimiters.
TermRef strtok_handler(Call& c) {
    std::optional<void*> s = raw_address(c.args[0]);
    std::optional<const char*> delims = c_string(c.args[1]);
    if (!s || !delims) return c.fail();
    return pointer_result(std::strtok(static_cast<char*>(*s), *delims));
}

TermRef strtok_r_handler(Call& c) {
    std::optional<void*> s = raw_address(c.args[0]);
    std::optional<const char*> delims = c_string(c.args[1]);
    std::optional<void*> context = nonnull_address(c.args[2]);
    if (!s || !delims || !context) return c.fail();
    return pointer_result(strtok_r(static_cast<char*>(*s), *delims, static_cast<char**>(*context)));
}

int plain_strcmp(const char* a, const char* b) {
    return std::strcmp(a, b);
}
int plain_strncmp(const char* a, const char* b, std::size_t n) {
    return std::strncmp(a, b, n);
}
char* plain_strcpy(char* d, const char* s) {
    return std::strcpy(d, s);
}
char* plain_strcat(char* d, const char* s) {
    return std::strcat(d, s);
}
char* plain_strncpy(char* d, const char* s, std::size_t n) {
    return std::strncpy(d, s, n);
}
char* plain_strncat(char* d, const char* s, std::size_t n) {
    return std::strncat(d, s, n);
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
    {"strcpy", 2, kHost, [](Call& c) { return copy_to(c, plain_strcpy); }},
    {"strcat", 2, kHost, [](Call& c) { return copy_to(c, plain_strcat); }},
    {"strncpy", 3, kHost, [](Call& c) { return copy_to_n(c, plain_strncpy); }},
    {"strncat", 3, kHost, [](Call& c) { return copy_to_n(c, plain_strncat); }},
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
