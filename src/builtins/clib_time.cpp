// The C library's time functions. Time values and struct tm records travel
// as the integer addresses of C objects; the texts and records the library
// returns are its own static ones.
#include <ctime>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

TermRef time_handler(Call& c) {
    std::optional<void*> store = record_arg(c, 0, sizeof(std::time_t), Access::write, true);
    if (!store) return c.fail();
    return integer_result(static_cast<std::int64_t>(std::time(static_cast<std::time_t*>(*store))));
}

TermRef difftime_handler(Call& c) {
    std::optional<std::int64_t> a = int_arg(c, 0), b = int_arg(c, 1);
    if (!a || !b) return c.fail();
    return float_result(std::difftime(static_cast<std::time_t>(*a), static_cast<std::time_t>(*b)));
}

// ctime gmtime localtime: the address of a time value. A struct tm they
// give (`record` its size, else 0) may be changed in place by mktime.
TermRef from_time(Call& c, const void* (*fn)(const std::time_t*), std::size_t record = 0) {
    std::optional<void*> at = record_arg(c, 0, sizeof(std::time_t), Access::read);
    if (!at) return c.fail();
    const void* result = fn(static_cast<const std::time_t*>(*at));
    if (result != nullptr && record > 0) {
        SavedErrno saved;
        c.rt.host.library_records[const_cast<void*>(result)] = record;
        saved.restore();
    }
    return pointer_result(result);
}

TermRef asctime_handler(Call& c) {
    std::optional<void*> at = record_arg(c, 0, sizeof(std::tm), Access::read);
    if (!at) return c.fail();
    return pointer_result(std::asctime(static_cast<const std::tm*>(*at)));
}

// mktime normalises the record in place: it must be in a block of the run.
TermRef mktime_handler(Call& c) {
    std::optional<void*> at = record_arg(c, 0, sizeof(std::tm), Access::write);
    if (!at) return c.fail();
    return integer_result(static_cast<std::int64_t>(std::mktime(static_cast<std::tm*>(*at))));
}

TermRef strftime_handler(Call& c) {
    std::optional<std::size_t> size = count_arg(c, 1);
    if (!size) return c.fail();
    std::optional<void*> buffer = record_arg(c, 0, *size, Access::write);
    std::optional<const char*> format = c_string(c, c.args[2]);
    std::optional<void*> tm = record_arg(c, 3, sizeof(std::tm), Access::read);
    if (!buffer || !format || !tm) return c.fail();
    return unsigned_result(std::strftime(static_cast<char*>(*buffer), static_cast<std::size_t>(*size),
                                         *format, static_cast<const std::tm*>(*tm)));
}

const void* ctime_of(const std::time_t* t) { return std::ctime(t); }
const void* gmtime_of(const std::time_t* t) { return std::gmtime(t); }
const void* localtime_of(const std::time_t* t) { return std::localtime(t); }

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kClibTimeRows[] = {
    {"time", 1, kHost, time_handler},
    {"time_t", 0, pure_effect,
     [](Call&) { return integer_result(static_cast<std::int64_t>(sizeof(std::time_t))); }},
    {"difftime", 2, pure_effect, difftime_handler},
    {"ctime", 1, kHost, [](Call& c) { return from_time(c, ctime_of); }},
    {"gmtime", 1, kHost, [](Call& c) { return from_time(c, gmtime_of, sizeof(std::tm)); }},
    {"localtime", 1, kHost, [](Call& c) { return from_time(c, localtime_of, sizeof(std::tm)); }},
    {"asctime", 1, kHost, asctime_handler},
    {"mktime", 1, kHost, mktime_handler},
    {"strftime", 4, kHost, strftime_handler},
};

}  // namespace

const BuiltinFamily kClibTimeFamily = {"time", kClibTimeRows};

}  // namespace vesk
