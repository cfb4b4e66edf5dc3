// Sockets through the host's BSD socket calls. A socket is the descriptor
// the kernel hands back (-1 when there is none); addresses, option values
// and length words are records in memory that the program builds with the
// memory built-ins, passed by their integer addresses. The kernel checks
// every address it is given (a bad one is EFAULT, not a crash), so these
// are passed as they come; only the data of `send` and `sendto` is read
// here, and a post or zits is refused for more bytes than it holds.
//
// Descriptors from socket and accept are entered into the run's host
// resources, so that one still open when the run ends is closed then;
// closesocket forgets it. The driver ignores SIGPIPE: a send to a peer that
// has gone gives -1 and errno EPIPE instead of ending the process.
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

int as_int(std::int64_t v) {
    return static_cast<int>(v);
}

socklen_t as_length(std::int64_t v) {
    return static_cast<socklen_t>(v);
}

// A descriptor the kernel just gave (or -1), entered into the resources.
TermRef opened_socket(Call& c, int fd) {
    SavedErrno saved;
    if (fd >= 0) c.rt.host.sockets.insert(fd);
    saved.restore();
    return integer_result(fd);
}

TermRef socket_handler(Call& c) {
    std::optional<std::int64_t> family = int_arg(c, 0), type = int_arg(c, 1), protocol = int_arg(c, 2);
    if (!family || !type || !protocol) return c.fail();
    return opened_socket(c, ::socket(as_int(*family), as_int(*type), as_int(*protocol)));
}

// bind and connect: a socket, the address of an address record, its length.
TermRef with_address(Call& c, int (*fn)(int, const sockaddr*, socklen_t)) {
    std::optional<std::int64_t> fd = int_arg(c, 0);
    std::optional<std::uint32_t> length = length_arg(c, 2);
    std::optional<void*> address = raw_address(c.args[1]);
    if (!fd || !address || !length) return c.fail();
    return integer_result(fn(as_int(*fd), static_cast<const sockaddr*>(*address), as_length(*length)));
}

int bind_of(int fd, const sockaddr* a, socklen_t n) { return ::bind(fd, a, n); }
int connect_of(int fd, const sockaddr* a, socklen_t n) { return ::connect(fd, a, n); }

// accept and getpeername: a socket, an address buffer (0 for none) and the
// address of its length word, which the kernel reads and rewrites.
struct PeerArgs {
    int fd;
    sockaddr* buffer;
    socklen_t* length;
};

// The kernel refuses a bad buffer or length word itself, but a C library
// that reads the length word first would fault: that word must be readable.
std::optional<PeerArgs> peer_args(const Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0);
    std::optional<void*> length = record_arg(c, 2, sizeof(socklen_t), Access::read, true);
    std::optional<void*> buffer = raw_address(c.args[1]);
    if (!fd || !length || !buffer) return std::nullopt;
    return PeerArgs{as_int(*fd), static_cast<sockaddr*>(*buffer), static_cast<socklen_t*>(*length)};
}

TermRef accept_handler(Call& c) {
    std::optional<PeerArgs> a = peer_args(c);
    if (!a) return c.fail();
    return opened_socket(c, ::accept(a->fd, a->buffer, a->length));
}

TermRef getpeername_handler(Call& c) {
    std::optional<PeerArgs> a = peer_args(c);
    if (!a) return c.fail();
    return integer_result(::getpeername(a->fd, a->buffer, a->length));
}

// listen and shutdown: a socket and one int.
TermRef socket_and_int(Call& c, int (*fn)(int, int)) {
    std::optional<std::int64_t> fd = int_arg(c, 0), n = int_arg(c, 1);
    if (!fd || !n) return c.fail();
    return integer_result(fn(as_int(*fd), as_int(*n)));
}

int listen_of(int fd, int backlog) { return ::listen(fd, backlog); }
int shutdown_of(int fd, int how) { return ::shutdown(fd, how); }

// Closes a socket, and only a socket: any other descriptor (a file, a pipe,
// the standard streams the interpreter writes to) gives -1 with errno
// ENOTSOCK and stays open.
TermRef closesocket_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0);
    if (!fd) return c.fail();
    struct stat info {};
    if (fstat(as_int(*fd), &info) != 0) return integer_result(-1);  // errno EBADF
    if (!S_ISSOCK(info.st_mode)) {
        errno = ENOTSOCK;
        return integer_result(-1);
    }
    c.rt.host.sockets.erase(as_int(*fd));
    return integer_result(::close(as_int(*fd)));
}

TermRef setsockopt_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0), level = int_arg(c, 1), option = int_arg(c, 2);
    std::optional<void*> value = raw_address(c.args[3]);
    std::optional<std::uint32_t> length = length_arg(c, 4);
    if (!fd || !level || !option || !value || !length) return c.fail();
    return integer_result(
        ::setsockopt(as_int(*fd), as_int(*level), as_int(*option), *value, as_length(*length)));
}

// The data of send and sendto: a text (post, zits leaf or address) and a
// length that is not negative and, for a post or zits, not past its bytes.
std::optional<const char*> data_of(const Call& c, std::optional<std::int64_t> length) {
    if (!length || *length < 0) return std::nullopt;
    return counted_data(c, c.args[1], static_cast<std::uint64_t>(*length));
}

TermRef send_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0), length = int_arg(c, 2), flags = int_arg(c, 3);
    std::optional<const char*> data = data_of(c, length);
    if (!fd || !data || !flags) return c.fail();
    return integer_result(::send(as_int(*fd), *data, static_cast<std::size_t>(*length), as_int(*flags)));
}

TermRef sendto_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0), length = int_arg(c, 2), flags = int_arg(c, 3);
    std::optional<const char*> data = data_of(c, length);
    std::optional<void*> to = raw_address(c.args[4]);
    std::optional<std::uint32_t> to_length = length_arg(c, 5);
    if (!fd || !data || !flags || !to || !to_length) return c.fail();
    return integer_result(::sendto(as_int(*fd), *data, static_cast<std::size_t>(*length), as_int(*flags),
                                   static_cast<const sockaddr*>(*to), as_length(*to_length)));
}

// The buffer of recv and recvfrom: an address (not 0) and a length that is
// not negative, the bytes inside a block of the run (the kernel writes them).
struct Buffer {
    void* address;
    std::size_t length;
};

std::optional<Buffer> buffer_of(const Call& c) {
    std::optional<std::size_t> length = count_arg(c, 2);
    if (!length) return std::nullopt;
    std::optional<void*> address = record_arg(c, 1, *length, Access::write);
    if (!address) return std::nullopt;
    return Buffer{*address, *length};
}

TermRef recv_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0), flags = int_arg(c, 3);
    std::optional<Buffer> buffer = buffer_of(c);
    if (!fd || !buffer || !flags) return c.fail();
    return integer_result(::recv(as_int(*fd), buffer->address, buffer->length, as_int(*flags)));
}

TermRef recvfrom_handler(Call& c) {
    std::optional<std::int64_t> fd = int_arg(c, 0), flags = int_arg(c, 3);
    std::optional<Buffer> buffer = buffer_of(c);
    std::optional<void*> from = raw_address(c.args[4]), from_length = raw_address(c.args[5]);
    if (!fd || !buffer || !flags || !from || !from_length) return c.fail();
    return integer_result(::recvfrom(as_int(*fd), buffer->address, buffer->length, as_int(*flags),
                                     static_cast<sockaddr*>(*from), static_cast<socklen_t*>(*from_length)));
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kSocketRows[] = {
    {"socket", 3, kHost, socket_handler},
    {"bind", 3, kHost, [](Call& c) { return with_address(c, bind_of); }},
    {"connect", 3, kHost, [](Call& c) { return with_address(c, connect_of); }},
    {"listen", 2, kHost, [](Call& c) { return socket_and_int(c, listen_of); }},
    {"accept", 3, kHost, accept_handler},
    {"getpeername", 3, kHost, getpeername_handler},
    {"shutdown", 2, kHost, [](Call& c) { return socket_and_int(c, shutdown_of); }},
    {"closesocket", 1, kHost, closesocket_handler},
    {"setsockopt", 5, kHost, setsockopt_handler},
    {"send", 4, kHost, send_handler},
    {"sendto", 6, kHost, sendto_handler},
    {"recv", 4, kHost, recv_handler},
    {"recvfrom", 6, kHost, recvfrom_handler},
};

}  // namespace

const BuiltinFamily kSocketFamily = {"sockets", kSocketRows};

}  // namespace vesk
