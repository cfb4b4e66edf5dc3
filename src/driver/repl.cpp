#include "driver/repl.hpp"

#include <cstdio>
#include <memory>

#include "builtins/families.hpp"
#include "builtins/run_time_definitions.hpp"
#include "checks/check_program.hpp"
#include "diagnostics/error_value.hpp"
#include "driver/colour.hpp"
#include "driver/line_reader.hpp"
#include "driver/read_file.hpp"
#include "driver/result.hpp"
#include "driver/run.hpp"
#include "engine/machine.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/printer.hpp"
#include "numbers/integers.hpp"
#include "runtime/definitions.hpp"
#include "runtime/prelude.hpp"

namespace vesk {

namespace {

struct Session {
    Bytes text;
    std::unique_ptr<Runtime> rt;
};

void write_bytes(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

void show_picture(const Outcome& out) {
    write_bytes(stderr, failure_report(out, colour_for_standard_error()));
}

// A runtime holding the program `text` (borrowed), loaded and checked as a
// run loads it; empty, with the outcome in `out`, when it fails.
std::unique_ptr<Runtime> load_session(std::string_view text, Outcome& out) {
    auto rt = std::make_unique<Runtime>();
    install_builtins(*rt);
    load_prelude(*rt);
    std::optional<ParsedProgram> program = parse_program(Bytes(text), out);
    if (!program) return nullptr;
    out = load_program(*rt, *program);
    if (is_check(out)) out = check_program(*rt);
    if (!is_check(out)) return nullptr;
    return rt;
}

// The definition of `name` in the entry (borrowed): a new name is added
// to the running session, a known one replaces its definition in a reload.
void define(Session& s, std::string_view entry, const Bytes& name) {
    Outcome out;
    if (s.rt->globals.count(name) == 0) {
        if (define_at_run_time(*s.rt, "0," + Bytes(entry), out)) {
            s.text += ",\n" + Bytes(entry);
            return;
        }
    } else {
        Bytes text = s.text + ",\n" + Bytes(entry);
        if (std::unique_ptr<Runtime> rt = load_session(text, out)) {
            s.rt = std::move(rt);
            s.text = std::move(text);
            return;
        }
    }
    show_picture(out);
}

// The value (borrowed) as the session shows it: an integer as its digits,
// anything else as `lisp` prints it.
Bytes shown_value(const TermRef& v) {
    if (is_integer_value(v)) return decimal_text(v);
    return print_term(v);
}

// A run that ends early (an error) may leave a constant with the marker of
// a value being computed; the session's next entry would read a cycle
// there. Such a constant gets back the definition it had in `before`
// (borrowed).
void forget_unfinished(Runtime& rt, const GlobalTable& before) {
    for (auto& [name, definition] : rt.globals) {
        if (!is_pair(definition) && leaf_view(definition.get()) == ")") {
            auto old = before.find(name);
            if (old != before.end()) definition = old->second;
        }
    }
}

// An expression, perhaps followed by definitions of new names after commas
// (as `road` takes them): those join the session's text too, so that a
// reload keeps them.
void evaluate_entry(Session& s, std::string_view entry, std::string_view normal) {
    Outcome out;
    std::optional<TermRef> main = define_at_run_time(*s.rt, Bytes(entry), out);
    if (!main) {
        show_picture(out);
        return;
    }
    std::vector<std::size_t> commas = top_level_commas(normal);
    if (!commas.empty()) s.text += ",\n" + Bytes(normal.substr(commas[0] + 1));
    GlobalTable before = s.rt->globals;
    TermRef v = evaluate(*s.rt, std::move(*main));
    forget_unfinished(*s.rt, before);
    bool ended = (!is_pair(v) && (first_char(v) == ')' || first_char(v) == ']')) || is_error_value(v);
    if (ended) {
        int status = 0;
        out = classify_result(std::move(v), status);
        if (!is_check(out)) {
            show_picture(out);
            return;
        }
        write_bytes(stdout, "\n");
        return;
    }
    write_bytes(stdout, shown_value(v) + "\n");
}

// One entry: a single definition `name\...`, or an expression.
void take_entry(Session& s, std::string_view entry) {
    Outcome out;
    std::optional<ParsedProgram> program = parse_program(Bytes(entry), out);
    if (!program) {
        show_picture(out);
        return;
    }
    Bytes normal = normalise_layout(entry);
    if (normal.empty()) return;
    if (top_level_commas(normal).empty()) {
        if (std::optional<ParsedDefinition> d = read_segment(normal, 0, program->main)) {
            define(s, entry, d->name);
            return;
        }
    }
    evaluate_entry(s, entry, normal);
}

}  // namespace

int run_repl(const char* path) {
    Session s;
    s.text = "0";
    if (path != nullptr) {
        FileRead file = read_file_limited(path, kMaxProgramBytes);
        if (!file.text) {
            write_bytes(stdout, "Error.\n");
            write_bytes(stderr, file.too_large ? oversized_file_message(path)
                                               : unreadable_file_message(path));
            return kFailureStatus;
        }
        s.text = std::move(*file.text);
    }
    Outcome out;
    s.rt = load_session(s.text, out);
    if (!s.rt) {
        show_picture(out);
        return kFailureStatus;
    }
    LineReader reader = open_line_reader();
    while (std::optional<Bytes> line = read_line(reader, "vesk> ")) take_entry(s, *line);
    if (reader.terminal && !reader.editing) write_bytes(stdout, "\n");
    close_line_reader(reader);
    return 0;
}

}  // namespace vesk
