// Names and addresses for sockets: the host's name, name resolution
// (getaddrinfo, getnameinfo), address texts (inet_pton, inet_ntop), the
// byte-order functions, and the sizes and flags a program needs to build
// the records (`addrinfo`, `fd_set`: the host's sizeof; `af_unspec`,
// `ai_passive`, `sock_stream`: the host's values).
//
// These functions run in the C library, not the kernel, and read or write
// memory at the addresses they are given; the buffers they write into and
// the word that receives a list must not be 0. A list from getaddrinfo is
// entered into the run's host resources: freeaddrinfo frees only a list
// the run holds (a second free is refused, not done), and one still held
// when the run ends is freed then.
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/select.h>
#include <unistd.h>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

TermRef gethostname_handler(Call& c) {
    std::optional<void*> buffer = nonnull_address(c.args[0]);
    std::optional<std::int64_t> length = int_arg(c, 1);
    if (!buffer || !length || *length < 0) return c.fail();
    return integer_result(::gethostname(static_cast<char*>(*buffer), static_cast<std::size_t>(*length)));
}

// The node and service are texts the function reads, or 0 for none.
TermRef getaddrinfo_handler(Call& c) {
    std::optional<const char*> node = readable_address(c.args[0]);
    std::optional<const char*> service = readable_address(c.args[1]);
    std::optional<void*> hints = raw_address(c.args[2]), result = nonnull_address(c.args[3]);
    if (!node || !service || !hints || !result) return c.fail();
    auto** list = static_cast<addrinfo**>(*result);
    int status = ::getaddrinfo(*node, *service, static_cast<const addrinfo*>(*hints), list);
    SavedErrno saved;
    if (status == 0 && *list != nullptr) c.rt.host.address_lists.insert(*list);
    saved.restore();
    return integer_result(status);
}

TermRef freeaddrinfo_handler(Call& c) {
    std::optional<void*> list = raw_address(c.args[0]);
    if (!list) return c.fail();
    if (*list == nullptr) return c.unit();
    if (c.rt.host.address_lists.erase(*list) == 0) return c.fail();
    ::freeaddrinfo(static_cast<addrinfo*>(*list));
    return c.unit();
}

TermRef gai_strerror_handler(Call& c) {
    std::optional<std::int64_t> code = int_arg(c, 0);
    if (!code) return c.fail();
    return pointer_result(::gai_strerror(static_cast<int>(*code)));
}

// getnameinfo: address and length, host buffer and size, service buffer
// and size (a buffer may be 0 with size 0 when it is not wanted), flags.
TermRef getnameinfo_handler(Call& c) {
    std::optional<void*> address = nonnull_address(c.args[0]);
    std::optional<void*> host = raw_address(c.args[2]), service = raw_address(c.args[4]);
    std::optional<std::int64_t> length = int_arg(c, 1), host_size = int_arg(c, 3);
    std::optional<std::int64_t> service_size = int_arg(c, 5), flags = int_arg(c, 6);
    if (!address || !host || !service || !length || !host_size || !service_size || !flags) {
        return c.fail();
    }
    if (*host_size < 0 || *service_size < 0) return c.fail();
    return integer_result(::getnameinfo(
        static_cast<const sockaddr*>(*address), static_cast<socklen_t>(*length),
        static_cast<char*>(*host), static_cast<socklen_t>(*host_size), static_cast<char*>(*service),
        static_cast<socklen_t>(*service_size), static_cast<int>(*flags)));
}

TermRef inet_pton_handler(Call& c) {
    std::optional<std::int64_t> family = int_arg(c, 0);
    std::optional<const char*> text = c_string(c.args[1]);
    std::optional<void*> out = nonnull_address(c.args[2]);
    if (!family || !text || !out) return c.fail();
    return integer_result(::inet_pton(static_cast<int>(*family), *text, *out));
}

TermRef inet_ntop_handler(Call& c) {
    std::optional<std::int64_t> family = int_arg(c, 0), size = int_arg(c, 3);
    std::optional<void*> address = nonnull_address(c.args[1]), text = nonnull_address(c.args[2]);
    if (!family || !address || !text || !size || *size < 0) return c.fail();
    return pointer_result(::inet_ntop(static_cast<int>(*family), *address, static_cast<char*>(*text),
                                      static_cast<socklen_t>(*size)));
}

// The byte-order functions keep the low 32 or 16 bits of their integer.
TermRef byte_order(Call& c, bool wide, bool to_network) {
    std::optional<std::int64_t> v = int_arg(c, 0);
    if (!v) return c.fail();
    std::uint32_t out = wide ? (to_network ? htonl(static_cast<std::uint32_t>(*v))
                                           : ntohl(static_cast<std::uint32_t>(*v)))
                             : (to_network ? htons(static_cast<std::uint16_t>(*v))
                                           : ntohs(static_cast<std::uint16_t>(*v)));
    return to_network ? integer_result(out) : unsigned_result(out);
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kSocketNameRows[] = {
    {"gethostname", 2, kHost, gethostname_handler},
    {"getaddrinfo", 4, kHost, getaddrinfo_handler},
    {"freeaddrinfo", 1, kHost, freeaddrinfo_handler},
    {"gai_strerror", 1, kHost, gai_strerror_handler},
    {"getnameinfo", 7, kHost, getnameinfo_handler},
    {"inet_pton", 3, kHost, inet_pton_handler},
    {"inet_ntop", 4, kHost, inet_ntop_handler},
    {"htonl", 1, pure_effect, [](Call& c) { return byte_order(c, true, true); }},
    {"htons", 1, pure_effect, [](Call& c) { return byte_order(c, false, true); }},
    {"ntohl", 1, pure_effect, [](Call& c) { return byte_order(c, true, false); }},
    {"ntohs", 1, pure_effect, [](Call& c) { return byte_order(c, false, false); }},
    {"addrinfo", 0, pure_effect,
     [](Call&) { return integer_result(static_cast<std::int64_t>(sizeof(addrinfo))); }},
    {"fd_set", 0, pure_effect,
     [](Call&) { return integer_result(static_cast<std::int64_t>(sizeof(fd_set))); }},
    {"af_unspec", 0, pure_effect, [](Call&) { return integer_result(AF_UNSPEC); }},
    {"ai_passive", 0, pure_effect, [](Call&) { return integer_result(AI_PASSIVE); }},
    {"sock_stream", 0, pure_effect, [](Call&) { return integer_result(SOCK_STREAM); }},
};

}  // namespace

const BuiltinFamily kSocketNameFamily = {"socket names", kSocketNameRows};

}  // namespace vesk
