#include "driver/check_only.hpp"

#include <cstdio>
#include <string>

#include "builtins/families.hpp"
#include "checks/check_program.hpp"
#include "driver/colour.hpp"
#include "driver/command_line.hpp"
#include "driver/findings.hpp"
#include "driver/read_file.hpp"
#include "driver/run.hpp"
#include "driver/where.hpp"
#include "runtime/definitions.hpp"
#include "runtime/prelude.hpp"
#include "terms/out_of_memory.hpp"

namespace vesk {

namespace {

void write_bytes(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

// The loader and the checks over the whole table, as a run takes them, but
// no run; the findings of `raw` (borrowed) into `found` once it parses.
Outcome load_and_check(Runtime& rt, std::string_view raw, std::vector<Finding>& found) {
    install_builtins(rt);
    set_activity("loading the prelude");
    load_prelude(rt);
    set_activity("loading the definitions");
    Outcome out;
    std::optional<ParsedProgram> program = parse_program(Bytes(raw), out);
    if (!program) return out;
    found = program_findings(raw, rt.prelude);
    out = load_program(rt, *program);
    if (!is_check(out)) return out;
    set_activity("checking the program");
    return check_program(rt);
}

}  // namespace

int check_only(const char* path, bool from_input) {
    set_activity("reading the program file");
    FileRead file = from_input ? FileRead{read_standard_input(), false}
                               : read_file_limited(path, kMaxProgramBytes);
    if (!file.text) {
        write_bytes(stdout, "Error.\n");
        write_bytes(stderr, file.too_large ? oversized_file_message(path) : unreadable_file_message(path));
        return kFailureStatus;
    }
    Runtime rt;
    std::vector<Finding> found;
    Outcome out = load_and_check(rt, *file.text, found);
    Bytes listed, name = escape_file_name(path);
    for (const Finding& f : found) {
        LineColumn at = line_column(*file.text, f.offset);
        listed += name + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " +
                  f.message + "\n";
    }
    write_bytes(stdout, listed);
    if (!is_check(out)) {
        set_activity("writing the error picture");
        write_bytes(stderr, failure_report(out, colour_for_standard_error()));
        return kFailureStatus;
    }
    return found.empty() ? 0 : 1;
}

}  // namespace vesk
