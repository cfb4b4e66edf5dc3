#include "driver/command_line.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "driver/read_file.hpp"
#include "driver/run.hpp"
#include "driver/where.hpp"

namespace vesk {

namespace {

void write_text(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

// lstat, so that even a dangling symbolic link of that name counts as a
// file: it is then run, and reported unreadable like any other.
bool file_exists(const char* name) {
    struct stat info;
    return ::lstat(name, &info) == 0;
}

// A mistaken use of the helpers exits 1, as the usage picture does.
int helper_misuse(std::string_view message) {
    write_text(stderr, message);
    return kUsageStatus;
}

int answer_where(int argc, char** argv) {
    if (argc != 4) return helper_misuse("usage: vesk --where CODE file\n");
    std::optional<std::uint32_t> offset = decode_position_code(argv[2]);
    if (!offset) {
        return helper_misuse(
            "vesk --where: CODE is five characters of the position alphabet, as in [____c]\n");
    }
    // The same limit as a program file to run.
    FileRead file = read_file_limited(argv[3], kMaxProgramBytes);
    if (!file.text) {
        write_text(stdout, "Error.\n");
        write_text(stderr, file.too_large ? oversized_file_message(argv[3])
                                          : unreadable_file_message(argv[3]));
        return kFailureStatus;
    }
    write_text(stdout, where_report(*offset, *file.text));
    return 0;
}

}  // namespace

Request read_request(const char* first) {
    std::string_view arg = first;
    if (arg != "-" && arg != "--help" && arg != "--version" && arg != "--where" &&
        arg != "--explain" && arg != "--check" && arg != "--repl") {
        return Request::run_file;
    }
    if (file_exists(first)) return Request::run_file;
    if (arg == "-") return Request::run_standard_input;
    if (arg == "--help") return Request::help;
    if (arg == "--version") return Request::version;
    if (arg == "--explain") return Request::explain;
    if (arg == "--check") return Request::check;
    if (arg == "--repl") return Request::repl;
    return Request::where;
}

std::optional<int> answer_request(Request request, int argc, char** argv) {
    switch (request) {
        case Request::help:
            write_text(stdout, help_text());
            return 0;
        case Request::version:
            write_text(stdout, "vesk " VESK_VERSION "\n");
            return 0;
        case Request::where:
            return answer_where(argc, argv);
        case Request::explain:
            if (argc < 3) return helper_misuse("usage: vesk --explain file args...\n");
            break;
        case Request::check:
            if (argc != 3) return helper_misuse("usage: vesk --check file\n");
            break;
        case Request::repl:
            if (argc > 3) return helper_misuse("usage: vesk --repl [file]\n");
            break;
        case Request::run_file:
        case Request::run_standard_input:
            break;
    }
    return std::nullopt;
}

// Read with read(2) rather than stdio, so that nothing is buffered past the
// program text. As with a program file, a text that was only partly read
// is never handed on.
std::optional<Bytes> read_standard_input() {
    Bytes text;
    char chunk[4095];
    for (;;) {
        ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    return text;
}

Bytes help_text() {
    return "usage: vesk file args...          run the program in file, handing it args\n"
           "       vesk - args...             read the program from standard input\n"
           "       vesk --explain file args   run; after an error, say where Z came from\n"
           "       vesk --check file          check without running; list what looks amiss\n"
           "       vesk --repl [file]         evaluate entries one by one over file's definitions\n"
           "       vesk --where CODE file     show where a position code like [____c] is\n"
           "       vesk --help                show this text\n"
           "       vesk --version             show the version\n"
           "An existing file named like an option is run. The exit status is the\n"
           "program's integer (its low 8 bits), 128 after an error picture.\n"
           "Environment: VESK_COLOR=always|never, NO_COLOR, VESK_DEBUG_LOG, VESK_EXPLAIN.\n"
           "See vesk(1).\n";
}

}  // namespace vesk
