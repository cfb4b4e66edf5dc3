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
#include "builtins/raw_ranges.hpp"

namespace vesk {

namespace {

TermRef gethostname_handler(Call& c) {
    std::optional<std::uint32_t> length = length_arg(c, 1);
    if (!length) return c.fail();
    std::optional<void*> buffer = record_arg(c, 0, *length, Access::write);
    if (!buffer) return c.fail();
    return integer_result(::gethostname(static_cast<char*>(*buffer), *length));
}

// A text the function reads, or null for the integer 0.
std::optional<const char*> text_or_none(const Call& c, std::size_t i) {
    std::optional<void*> none = raw_address(c.args[i]);
    if (none && *none == nullptr) return static_cast<const char*>(nullptr);
    return c_string(c, c.args[i]);
}

// The node and service are texts the function reads, or 0 for none.
TermRef getaddrinfo_handler(Call& c) {
    std::optional<const char*> node = text_or_none(c, 0), service = text_or_none(c, 1);
    std::optional<void*> hints = record_arg(c, 2, sizeof(addrinfo), Access::read, true);
    std::optional<void*> result = record_arg(c, 3, sizeof(addrinfo*), Access::write);
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
    if (c.rt.host.address_lists.count(*list) == 0) return c.fail();
    free_address_list(c.rt.host, *list);
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
    std::optional<std::uint32_t> length = length_arg(c, 1), host_size = length_arg(c, 3);
    std::optional<std::uint32_t> service_size = length_arg(c, 5);
    std::optional<std::int64_t> flags = int_arg(c, 6);
    if (!length || !host_size || !service_size || !flags) return c.fail();
    std::optional<void*> address = record_arg(c, 0, *length, Access::read);
    std::optional<void*> host = record_arg(c, 2, *host_size, Access::write, true);
    std::optional<void*> service = record_arg(c, 4, *service_size, Access::write, true);
    if (!address || !host || !service) return c.fail();
    return integer_result(::getnameinfo(
        static_cast<const sockaddr*>(*address), static_cast<socklen_t>(*length),
        static_cast<char*>(*host), static_cast<socklen_t>(*host_size), static_cast<char*>(*service),
        static_cast<socklen_t>(*service_size), static_cast<int>(*flags)));
}

// The bytes of an address in network form: 4 for AF_INET, else (AF_INET6,
// or a family the call will refuse) 16.
std::size_t address_bytes(std::int64_t family) {
    return family == AF_INET ? sizeof(in_addr) : sizeof(in6_addr);
}

TermRef inet_pton_handler(Call& c) {
    std::optional<std::int64_t> family = int_arg(c, 0);
    std::optional<const char*> text = c_string(c, c.args[1]);
    if (!family) return c.fail();
    std::optional<void*> out = record_arg(c, 2, address_bytes(*family), Access::write);
    if (!text || !out) return c.fail();
    return integer_result(::inet_pton(static_cast<int>(*family), *text, *out));
}

TermRef inet_ntop_handler(Call& c) {
    std::optional<std::int64_t> family = int_arg(c, 0);
    std::optional<std::uint32_t> size = length_arg(c, 3);
    if (!family || !size) return c.fail();
    std::optional<void*> address = record_arg(c, 1, address_bytes(*family), Access::read);
    std::optional<void*> text = record_arg(c, 2, *size, Access::write);
    if (!address || !text) return c.fail();
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
