#include "terms/assert.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vesk {

namespace {
const char* base_name(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}
}  // namespace

void assertion_failed(const char* file, int line) {
    std::fflush(stdout);
    std::fprintf(stderr, "ASSERTION FAILED:%s:%d\n", base_name(file), line);
    std::fflush(stderr);
    std::abort();
}

void fatal_failure(const char* reason, const char* file, int line) {
    std::fprintf(stdout, "REDVFAIL: %s\n", reason);
    assertion_failed(file, line);
}

}  // namespace vesk
