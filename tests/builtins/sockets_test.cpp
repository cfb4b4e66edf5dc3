// The socket built-ins on loopback sockets of this process: a TCP
// connection between two of its own sockets, the name and address
// functions, and what the run keeps of the sockets and address lists it
// opens. UDP and other processes as peers: tests/tool/socket_*.sh.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "host_support.hpp"

namespace vesk::test {
namespace {

using Sockets = Host;

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A socket of `type` bound to 127.0.0.1 on a port the kernel picks; `at`
// gets the bound address, read back from the kernel.
TermRef bound(int type, sockaddr_in& at) {
    TermRef s = run("socket", {num(AF_INET), num(type), num(0)});
    at = loopback(0);
    EXPECT_EQ(value(run("bind", {s, address(&at), num(sizeof at)})), 0);
    socklen_t n = sizeof at;
    EXPECT_EQ(getsockname(static_cast<int>(value(s)), reinterpret_cast<sockaddr*>(&at), &n), 0);
    return s;
}

std::string received(const char* buffer, const TermRef& count) {
    return std::string(buffer, static_cast<std::size_t>(std::max<std::int64_t>(value(count), 0)));
}

TEST_F(Sockets, TcpConnectionCarriesPostsAndZitsBothWays) {
    sockaddr_in at{};
    TermRef listener = bound(SOCK_STREAM, at);
    EXPECT_EQ(value(run("listen", {listener, num(4)})), 0);
    TermRef client = run("socket", {num(AF_INET), num(SOCK_STREAM), num(0)});
    EXPECT_EQ(value(run("connect", {client, address(&at), num(sizeof at)})), 0);
    sockaddr_in peer{};
    socklen_t peer_length = sizeof peer;
    TermRef server = run("accept", {listener, address(&peer), address(&peer_length)});
    ASSERT_GE(value(server), 0);
    EXPECT_EQ(rt().host.sockets.size(), 3u);
    EXPECT_EQ(peer.sin_addr.s_addr, htonl(INADDR_LOOPBACK));

    sockaddr_in seen{};
    socklen_t seen_length = sizeof seen;
    EXPECT_EQ(value(run("getpeername", {client, address(&seen), address(&seen_length)})), 0);
    EXPECT_EQ(seen.sin_port, at.sin_port);

    char* buffer = run_block(32);
    EXPECT_EQ(value(run("send", {client, post("ping"), num(4), num(0)})), 4);
    EXPECT_EQ(received(buffer, run("recv", {server, address(buffer), num(32), num(0)})), "ping");
    // A zits is sent from its opening bracket.
    EXPECT_EQ(value(run("send", {server, zits("ok"), num(4), num(0)})), 4);
    EXPECT_EQ(received(buffer, run("recv", {client, address(buffer), num(32), num(0)})), "[ok]");

    EXPECT_EQ(value(run("shutdown", {client, num(SHUT_WR)})), 0);
    EXPECT_EQ(value(run("recv", {server, address(buffer), num(32), num(0)})), 0);
    // Writing after a shutdown fails with EPIPE; SIGPIPE is not raised.
    EXPECT_EQ(value(run("send", {client, post("x"), num(1), num(MSG_NOSIGNAL)})), -1);
    EXPECT_EQ(errno, EPIPE);
    for (const TermRef& s : {client, server, listener}) EXPECT_EQ(value(run("closesocket", {s})), 0);
    EXPECT_TRUE(rt().host.sockets.empty());
    EXPECT_EQ(value(run("closesocket", {client})), -1);  // a non-socket: tests/programs/sockets.cases
    EXPECT_EQ(errno, EBADF);
}

TEST_F(Sockets, ArgumentsOfTheWrongKindCallNothing) {
    TermRef real = float_result(2.0), combinator = leaf_term("S");
    char buffer[16];
    void* list = nullptr;
    const struct {
        const char* name;
        std::vector<TermRef> args;
    } cases[] = {
        {"socket", {real, num(SOCK_STREAM), num(0)}},
        {"bind", {num(3), real, num(16)}},
        {"listen", {num(3), combinator}},
        {"accept", {num(3), combinator, num(0)}},
        {"closesocket", {real}},
        {"setsockopt", {num(3), num(1), num(2), real, num(4)}},
        {"send", {num(3), combinator, num(1), num(0)}},
        {"send", {num(3), post("ab"), num(3), num(0)}},  // past the post's bytes
        {"send", {num(3), post("ab"), num(-1), num(0)}},
        {"sendto", {num(3), zits("a"), num(4), num(0), num(0), num(0)}},
        {"recv", {num(3), num(0), num(4), num(0)}},
        {"recv", {num(3), zits("abc"), num(4), num(0)}},  // a zits is never written into
        {"recv", {num(3), address(buffer), num(-1), num(0)}},
        {"recvfrom", {num(3), address(buffer), num(4), num(0), real, num(0)}},
        {"gethostname", {num(0), num(16)}},
        {"getaddrinfo", {post("localhost"), num(0), num(0), num(0)}},
        {"getaddrinfo", {real, num(0), num(0), address(&list)}},
        {"freeaddrinfo", {real}},
        {"freeaddrinfo", {address(buffer)}},  // not a list this run holds
        {"gai_strerror", {combinator}},
        {"getnameinfo", {num(0), num(16), address(buffer), num(16), num(0), num(0), num(0)}},
        {"inet_pton", {num(AF_INET), post("127.0.0.1"), num(0)}},
        {"inet_ntop", {num(AF_INET), address(buffer), address(buffer), num(-1)}},
        {"htons", {real}},
        {"ntohl", {combinator}},
    };
    for (const auto& c : cases) EXPECT_TRUE(is_z(run(c.name, c.args))) << c.name;
    EXPECT_TRUE(rt().host.sockets.empty());
}

TEST_F(Sockets, ByteOrderAndConstants) {
    const struct {
        const char* name;
        std::int64_t in;
        const char* out;
    } orders[] = {
        {"htons", 1, "256"},      {"ntohs", 256, "1"},        {"htons", 65536 + 1, "256"},
        {"htonl", 1, "16777216"}, {"ntohl", 16777216, "1"},   {"ntohl", 255, "4278190080"},
    };
    for (const auto& o : orders) EXPECT_EQ(leaf_text(run(o.name, {num(o.in)})), o.out) << o.name;
    EXPECT_EQ(value(run("addrinfo")), static_cast<std::int64_t>(sizeof(addrinfo)));
    EXPECT_EQ(value(run("fd_set")), static_cast<std::int64_t>(sizeof(fd_set)));
    EXPECT_EQ(value(run("af_unspec")), 0);
    EXPECT_EQ(value(run("ai_passive")), 1);
    EXPECT_EQ(value(run("sock_stream")), 1);
}

TEST_F(Sockets, AddressTextsAndNames) {
    auto* raw = run_block<unsigned char>(16);
    EXPECT_EQ(value(run("inet_pton", {num(AF_INET), post("127.0.0.1"), address(raw)})), 1);
    EXPECT_EQ(std::memcmp(raw, "\x7f\0\0\x01", 4), 0);
    EXPECT_EQ(value(run("inet_pton", {num(AF_INET), post("no.such"), address(raw)})), 0);
    char* text = run_block(INET6_ADDRSTRLEN);
    EXPECT_EQ(value(run("inet_pton", {num(AF_INET6), post("::1"), address(raw)})), 1);
    EXPECT_EQ(pointer(run("inet_ntop", {num(AF_INET6), address(raw), address(text), num(INET6_ADDRSTRLEN)})), text);
    EXPECT_STREQ(text, "::1");

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    auto** list_word = run_block<addrinfo*>(sizeof(addrinfo*));
    ASSERT_EQ(value(run("getaddrinfo", {post("localhost"), post("80"), address(&hints), address(list_word)})), 0);
    addrinfo* list = *list_word;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(rt().host.address_lists.count(list), 1u);
    char* host = run_block(64);
    char* service = run_block(16);
    EXPECT_EQ(value(run("getnameinfo", {address(list->ai_addr), num(list->ai_addrlen), address(host),
                                        num(64), address(service), num(16),
                                        num(NI_NUMERICHOST | NI_NUMERICSERV)})),
              0);
    EXPECT_STREQ(host, "127.0.0.1");
    EXPECT_STREQ(service, "80");
    EXPECT_EQ(leaf_text(run("freeaddrinfo", {address(list)})), "I");
    EXPECT_TRUE(is_z(run("freeaddrinfo", {address(list)})));  // a second free is refused
    EXPECT_EQ(leaf_text(run("freeaddrinfo", {num(0)})), "I");

    EXPECT_EQ(pointer<const char>(run("gai_strerror", {num(EAI_NONAME)})), gai_strerror(EAI_NONAME));
    char* name = run_block(256);
    char want[256] = {};
    EXPECT_EQ(value(run("gethostname", {address(name), num(256)})), 0);
    ASSERT_EQ(gethostname(want, sizeof want), 0);
    EXPECT_STREQ(name, want);
}

TEST_F(Sockets, WhatTheRunLeavesOpenIsGivenBackWhenItEnds) {
    int fd = static_cast<int>(value(run("socket", {num(AF_INET), num(SOCK_STREAM), num(0)})));
    auto** list = run_block<addrinfo*>(sizeof(addrinfo*));
    ASSERT_EQ(value(run("getaddrinfo", {post("127.0.0.1"), num(0), num(0), address(list)})), 0);
    ASSERT_GE(fd, 0);
    fresh_runtime();
    EXPECT_EQ(fcntl(fd, F_GETFD), -1);
    EXPECT_EQ(errno, EBADF);
}

}  // namespace
}  // namespace vesk::test
