#include "driver/run.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "diagnostics/picture.hpp"
#include "driver/check_only.hpp"
#include "driver/colour.hpp"
#include "driver/command_line.hpp"
#include "driver/explain.hpp"
#include "driver/read_file.hpp"
#include "driver/repl.hpp"
#include "driver/stages.hpp"
#include "engine/integer_body.hpp"
#include "engine/switches.hpp"
#include "terms/out_of_memory.hpp"

namespace vesk {

namespace {

void write_bytes(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// The process-wide preparation before any program text is read. Writing to
// a closed pipe or socket must come back to the program as an error result
// rather than end the process, so SIGPIPE is ignored. Files are untranslated
// on POSIX already.
bool start_process() {
    if (std::signal(SIGPIPE, SIG_IGN) == SIG_ERR) {
        std::printf("WSAStartup failed: %d\n", errno);
        std::fflush(stdout);
        return false;
    }
    return true;
}

int report_unreadable(const char* name, bool too_large) {
    write_bytes(stdout, "Error.\n");
    write_bytes(stderr, too_large ? oversized_file_message(name) : unreadable_file_message(name));
    return kFailureStatus;
}

}  // namespace

Bytes escape_file_name(std::string_view name) {
    static const char kHex[] = "0123456789ABCDEF";
    Bytes escaped;
    for (char ch : name) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 32 && b <= 126 && b != '[' && b != ']') {
            escaped += ch;
        } else {
            escaped += '[';
            escaped += kHex[b >> 4];
            escaped += kHex[b & 15];
            escaped += ']';
        }
    }
    return escaped;
}

Bytes unreadable_file_message(std::string_view name) {
    Bytes message = " Type: Start\n Name: \"";
    message += escape_file_name(name);
    message += "\"\nCould not read program file.\n\\/\n";
    return message;
}

Bytes oversized_file_message(std::string_view name) {
    Bytes message = " Type: Start\n Name: \"";
    message += escape_file_name(name);
    message +=
        "\"\nProgram file is larger than " + std::to_string(kMaxProgramBytes) + " bytes.\n\\/\n";
    return message;
}

Bytes failure_report(const Outcome& out, bool colour) {
    Bytes report(colour ? kResetColour : "");
    report += error_picture(out, colour);
    return report;
}

namespace {

// VESK_ENGINE=cells turns every compiled form of the machine off: the run
// reduces as plain cells, with the same output, status and pictures, more
// slowly. For telling the two apart when something looks wrong.
void choose_engine() {
    const char* engine = std::getenv("VESK_ENGINE");
    if (engine != nullptr && std::string_view(engine) == "cells") set_compiled_forms(false);
}

// Runs the program named by argv[0] (or read from standard input, for
// `from_input`), handing it the arguments from argv[1] on; `explain` adds
// the trail of driver/explain.hpp after the run.
int run_file(char** argv, bool from_input, bool explain) {
    set_activity("reading the program file");
    FileRead file = from_input ? FileRead{read_standard_input(), false}
                               : read_file_limited(argv[0], kMaxProgramBytes);
    if (!file.text) return report_unreadable(argv[0], file.too_large);
    choose_engine();
    int status = 0;
    ExplainTrail trail;
    // Integer code runs calls on host integers, which the machine would not
    // see: an explained run reduces them as cells (the same results).
    if (explain) engine_integer_bodies = false;
    Outcome out = run_stages(std::move(*file.text), argv + 1, status, explain ? &trail : nullptr);
    bool colour = colour_for_standard_error();
    if (is_check(out)) {
        if (explain) write_bytes(stderr, explain_report(trail, false, colour));
        return status;
    }
    set_activity("writing the error picture");
    Bytes report = failure_report(out, colour);
    if (explain) report += explain_report(trail, true, colour);
    write_bytes(stderr, report);
    return kFailureStatus;
}

}  // namespace

int run_main(int argc, char** argv) {
    if (!start_process()) return kStartupStatus;
    install_out_of_memory_handler();
    set_out_of_memory_colour(colour_for_standard_error());
    // An empty argument vector has no program file either.
    if (argc < 2 || argv == nullptr || argv[1] == nullptr) {
        write_bytes(stderr, usage_picture());
        return kUsageStatus;
    }
    Request request = read_request(argv[1]);
    if (std::optional<int> status = answer_request(request, argc, argv)) return *status;
    if (request == Request::repl) return run_repl(argc == 3 ? argv[2] : nullptr);
    if (request == Request::check) {
        return check_only(argv[2], read_request(argv[2]) == Request::run_standard_input);
    }
    if (request == Request::explain) {
        return run_file(argv + 2, read_request(argv[2]) == Request::run_standard_input, true);
    }
    return run_file(argv + 1, request == Request::run_standard_input, explain_from_environment());
}

}  // namespace vesk
