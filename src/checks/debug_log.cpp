#include "checks/debug_log.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace vesk {

namespace {

// The log may sit in a shared folder such as /tmp, where anyone can plant a
// symbolic link, a FIFO or a file of their own at its path. O_NOFOLLOW
// refuses the link, O_NONBLOCK keeps a FIFO without reader from blocking the
// run, and the fstat test refuses anything but our own regular file.
int open_log(const char* path) {
    int fd = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                    S_IRUSR | S_IWUSR);
    if (fd < 0) return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// write may write less than asked (a signal, a full disk); keep going from
// where it stopped until everything is out. A call that writes nothing at
// all means the file is failing: give up rather than spin.
bool write_all(int fd, std::string_view text) {
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<std::string> debug_log_path() {
    const char* chosen = std::getenv("VESK_DEBUG_LOG");
    if (chosen == nullptr) return std::string(kDebugLogPath);
    if (chosen[0] == '\0') return std::nullopt;
    return std::string(chosen);
}

bool append_to_log(std::string_view text) {
    std::optional<std::string> path = debug_log_path();
    if (!path) return false;
    return append_to_file(path->c_str(), text);
}

bool append_to_file(const char* path, std::string_view text) {
    int fd = open_log(path);
    if (fd < 0) return false;
    bool ok = write_all(fd, text);
    // A failing close (the disk filled up while flushing) loses only the note.
    if (::close(fd) != 0) ok = false;
    return ok;
}

}  // namespace vesk
