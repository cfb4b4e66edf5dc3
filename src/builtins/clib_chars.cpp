// The C library's character classes and cases. The C functions are defined
// only for EOF and the values of an unsigned char; any other value is
// refused with "Z" rather than handed to them.
#include <cctype>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

std::optional<int> character(const Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n || *n < EOF || *n > 255) return std::nullopt;
    return static_cast<int>(*n);
}

TermRef predicate(Call& c, int (*fn)(int)) {
    std::optional<int> ch = character(c);
    if (!ch) return c.fail();
    return c.truth(fn(*ch) != 0);
}

TermRef mapping(Call& c, int (*fn)(int)) {
    std::optional<int> ch = character(c);
    if (!ch) return c.fail();
    return integer_result(fn(*ch));
}

// isascii and toascii need no table: the seven low bits.
TermRef isascii_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n) return c.fail();
    return c.truth(*n >= 0 && *n < 128);
}

TermRef toascii_handler(Call& c) {
    std::optional<std::int64_t> n = int_arg(c, 0);
    if (!n) return c.fail();
    return integer_result(*n & 0x7f);
}

#define VESK_CLASS(name) {#name, 1, pure_effect, [](Call& c) { return predicate(c, [](int x) { return std::name(x); }); }}

constexpr BuiltinRow kClibCharRows[] = {
    VESK_CLASS(isalnum), VESK_CLASS(isalpha), VESK_CLASS(isblank), VESK_CLASS(isdigit),
    VESK_CLASS(isgraph), VESK_CLASS(islower), VESK_CLASS(isprint), VESK_CLASS(ispunct),
    VESK_CLASS(isspace), VESK_CLASS(isupper),
    {"isascii", 1, pure_effect, isascii_handler},
    {"toascii", 1, pure_effect, toascii_handler},
    {"tolower", 1, pure_effect, [](Call& c) { return mapping(c, [](int x) { return std::tolower(x); }); }},
    {"toupper", 1, pure_effect, [](Call& c) { return mapping(c, [](int x) { return std::toupper(x); }); }},
};

#undef VESK_CLASS

}  // namespace

const BuiltinFamily kClibCharFamily = {"characters", kClibCharRows};

}  // namespace vesk
