// Directories through the host's own opendir, readdir and closedir.
// readdir gives the address of the host's struct dirent (`dirent` is its
// size); handles are entered into the run's host resources when opened, so
// that readdir and closedir refuse one that is closed or was never opened,
// and one still open when the run ends is closed then.
#include <dirent.h>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"

namespace vesk {

namespace {

TermRef opendir_handler(Call& c) {
    std::optional<const char*> path = c_string(c, c.args[0]);
    if (!path) return c.fail();
    DIR* dir = opendir(*path);
    SavedErrno saved;
    if (dir != nullptr) c.rt.host.directories.insert(dir);
    saved.restore();
    return pointer_result(dir);
}

TermRef readdir_handler(Call& c) {
    std::optional<void*> dir = directory_argument(c, c.args[0]);
    if (!dir) return c.fail();
    return pointer_result(readdir(static_cast<DIR*>(*dir)));
}

TermRef closedir_handler(Call& c) {
    std::optional<void*> dir = directory_argument(c, c.args[0]);
    if (!dir) return c.fail();
    return integer_result(close_directory(c.rt.host, *dir));
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kClibDirRows[] = {
    {"opendir", 1, kHost, opendir_handler},
    {"readdir", 1, kHost, readdir_handler},
    {"closedir", 1, kHost, closedir_handler},
    {"dirent", 0, pure_effect,
     [](Call&) { return integer_result(static_cast<std::int64_t>(sizeof(struct dirent))); }},
};

}  // namespace

const BuiltinFamily kClibDirFamily = {"directories", kClibDirRows};

}  // namespace vesk
