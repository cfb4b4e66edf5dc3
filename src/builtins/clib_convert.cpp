// The C library's conversions from text: atof atoi atol strtod strtol
// strtoul. An end-pointer argument is the address where the function stores
// the address of the first byte it did not use, or 0 for none.
#include <cstdlib>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

TermRef atof_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    if (!s) return c.fail();
    return float_result(std::atof(*s));
}

// atoi (a C int) and atol (a C long).
TermRef ato(Call& c, bool wide) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    if (!s) return c.fail();
    return integer_result(wide ? std::atol(*s) : std::atoi(*s));
}

TermRef strtod_handler(Call& c) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    std::optional<void*> end = record_arg(c, 1, sizeof(char*), Access::write, true);
    if (!s || !end) return c.fail();
    return float_result(std::strtod(*s, static_cast<char**>(*end)));
}

// strtol, and strtoul (the value read as unsigned).
TermRef strto(Call& c, bool as_unsigned) {
    std::optional<const char*> s = c_string(c, c.args[0]);
    std::optional<void*> end = record_arg(c, 1, sizeof(char*), Access::write, true);
    std::optional<std::int64_t> base = int_arg(c, 2);
    if (!s || !end || !base) return c.fail();
    auto** e = static_cast<char**>(*end);
    int b = static_cast<int>(*base);
    if (as_unsigned) return unsigned_result(std::strtoul(*s, e, b));
    return integer_result(std::strtol(*s, e, b));
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kClibConvertRows[] = {
    {"atof", 1, kHost, atof_handler},
    {"atoi", 1, kHost, [](Call& c) { return ato(c, false); }},
    {"atol", 1, kHost, [](Call& c) { return ato(c, true); }},
    {"strtod", 2, kHost, strtod_handler},
    {"strtol", 3, kHost, [](Call& c) { return strto(c, false); }},
    {"strtoul", 3, kHost, [](Call& c) { return strto(c, true); }},
};

}  // namespace

const BuiltinFamily kClibConvertFamily = {"conversions", kClibConvertRows};

}  // namespace vesk
