// The C library's process and environment functions, and the error number.
// exit flushes every C stream before it ends the process, so nothing a
// program wrote is lost; abort ends it at once.
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

TermRef exit_handler(Call& c) {
    std::optional<std::int64_t> status = int_arg(c, 0);
    if (!status) return c.fail();
    std::fflush(nullptr);
    std::exit(static_cast<int>(*status));
}

TermRef abort_handler(Call&) {
    std::abort();
}

TermRef getenv_handler(Call& c) {
    std::optional<const char*> name = c_string(c, c.args[0]);
    if (!name) return c.fail();
    return pointer_result(std::getenv(*name));
}

// Output the program wrote before is flushed first, so that it comes before
// the command's own.
TermRef system_handler(Call& c) {
    std::optional<const char*> command = c_string(c, c.args[0]);
    if (!command) return c.fail();
    std::fflush(nullptr);
    return integer_result(std::system(*command));
}

TermRef raise_handler(Call& c) {
    std::optional<std::int64_t> signal = int_arg(c, 0);
    if (!signal) return c.fail();
    return integer_result(std::raise(static_cast<int>(*signal)));
}

TermRef srand_handler(Call& c) {
    std::optional<std::int64_t> seed = int_arg(c, 0);
    if (!seed) return c.fail();
    std::srand(static_cast<unsigned>(*seed));
    return c.unit();
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kClibProcessRows[] = {
    {"abort", 0, kHost, abort_handler},
    {"exit", 1, kHost, exit_handler},
    {"getenv", 1, kHost, getenv_handler},
    {"system", 1, kHost, system_handler},
    {"raise", 1, kHost, raise_handler},
    {"rand", 0, kHost, [](Call&) { return integer_result(std::rand()); }},
    {"rand_max", 0, pure_effect, [](Call&) { return integer_result(RAND_MAX); }},
    {"srand", 1, kHost, srand_handler},
    {"errno", 0, kHost, [](Call&) { return integer_result(errno); }},
};

// The host's own error numbers, for comparing with errno.
constexpr BuiltinRow kClibErrnoRows[] = {
    {"eacces", 0, pure_effect, [](Call&) { return integer_result(EACCES); }},
    {"ebadf", 0, pure_effect, [](Call&) { return integer_result(EBADF); }},
    {"econnaborted", 0, pure_effect, [](Call&) { return integer_result(ECONNABORTED); }},
    {"efault", 0, pure_effect, [](Call&) { return integer_result(EFAULT); }},
    {"eintr", 0, pure_effect, [](Call&) { return integer_result(EINTR); }},
    {"einval", 0, pure_effect, [](Call&) { return integer_result(EINVAL); }},
    {"eio", 0, pure_effect, [](Call&) { return integer_result(EIO); }},
    {"emfile", 0, pure_effect, [](Call&) { return integer_result(EMFILE); }},
    {"enfile", 0, pure_effect, [](Call&) { return integer_result(ENFILE); }},
    {"enodev", 0, pure_effect, [](Call&) { return integer_result(ENODEV); }},
    {"enomem", 0, pure_effect, [](Call&) { return integer_result(ENOMEM); }},
    {"enotsock", 0, pure_effect, [](Call&) { return integer_result(ENOTSOCK); }},
    {"enxio", 0, pure_effect, [](Call&) { return integer_result(ENXIO); }},
    {"eopnotsupp", 0, pure_effect, [](Call&) { return integer_result(EOPNOTSUPP); }},
    {"eoverflow", 0, pure_effect, [](Call&) { return integer_result(EOVERFLOW); }},
    {"ewouldblock", 0, pure_effect, [](Call&) { return integer_result(EWOULDBLOCK); }},
};

}  // namespace

const BuiltinFamily kClibProcessFamily = {"process", kClibProcessRows};
const BuiltinFamily kClibErrnoFamily = {"error numbers", kClibErrnoRows};

}  // namespace vesk
