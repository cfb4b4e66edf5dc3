// Loading a program's text into a runtime's global table: a template for every
// built-in, the main expression under the empty name, then each definition
// under its name.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "diagnostics/outcome.hpp"
#include "runtime/globals.hpp"
#include "runtime/pending.hpp"
#include "terms/term.hpp"

namespace vesk {

// The template of a built-in of the given arity: arity lambdas over the
// letters a, b, .. around the leaf Z, so that its name has that arity.
[[nodiscard]] TermRef builtin_template(int arity);

struct Runtime;

// Enters the template of every built-in of rt.builtins into its globals.
void install_builtin_templates(Runtime& rt);

// Loads the program text (consumed) into the runtime's globals. Returns the bracket check's outcome
// ("match" or "comma") when it fails, "lower" for a one-letter lower-case
// name, "built" for a binder's or a built-in's name, and "check" otherwise.
// A definition is `name\body` (cached) or `name()\body` (uncached, stored as
// (I body)); segments of another form are skipped. A later definition of a
// name replaces an earlier one; on an error the definitions stored before
// it stay.
[[nodiscard]] Outcome load_definitions(Runtime& rt, Bytes text);

struct ParsedProgram;
// The loader's refusal of the first definition of `program` (borrowed), in
// text order, that may not be stored: "lower" or "built". "check" when every
// definition may be stored.
[[nodiscard]] Outcome refusal_of(const Runtime& rt, const ParsedProgram& program);
// The same load as load_definitions after the parse: the templates, then
// the main expression and the definitions of `program` (consumed).
[[nodiscard]] Outcome load_program(Runtime& rt, ParsedProgram& program);

// ---- The loader's pieces, shared with the run-time definitions ---------------

// One definition of a program text, parsed: the bare name it defines ("[+]"
// read as "+"), its body, whether it was written name()\body, and where its
// segment starts in the normalised text (for position codes).
//
// A definition only read (read_program) waits in its `piece`: its body is
// then the stand-in of its arity and `free` holds its free names.
struct ParsedDefinition {
    Bytes name;
    TermRef body;
    bool uncached;
    std::size_t position;
    std::optional<PendingPiece> piece = std::nullopt;
    std::vector<Bytes> free = {};
};
struct ParsedProgram {
    TermRef main;
    std::vector<ParsedDefinition> definitions;    // in text order
    std::shared_ptr<const Bytes> text = nullptr;  // the normalised text, when pieces wait
};
// The bracket check of the raw text (consumed), then layout normalisation,
// the split at top-level commas and the parse of every part. Segments that
// are not definitions are left out. Empty, with `out` holding the bracket
// check's outcome ("match" or "comma"), when the check fails.
[[nodiscard]] std::optional<ParsedProgram> parse_program(Bytes raw, Outcome& out);
// The definition in the piece of the normalised `text` that starts at
// `from` and parsed as `parsed` (borrowed), or nothing when it is not one.
[[nodiscard]] std::optional<ParsedDefinition> read_segment(std::string_view text, std::size_t from,
                                                           const TermRef& parsed);
// parse_program's outcome and definitions, but each definition in the plain
// form that front/scan_definition.hpp vouches for is only read: it waits in
// its piece of the program's normalised text, which `text` then holds.
[[nodiscard]] std::optional<ParsedProgram> read_program(Bytes raw, Outcome& out);
// Parses every waiting definition of `program`: parse_program's result.
void parse_waiting(ParsedProgram& program);
// The definition in the piece of the normalised `text` that starts at
// `begin` (just past its comma), parsed; nothing when it is not one.
[[nodiscard]] std::optional<ParsedDefinition> parse_definition_at(std::string_view text,
                                                                  std::size_t begin);
// The stand-in for a waiting definition: `arity` lambdas around Z, or for
// an uncached one (I Z), whose arity is none.
[[nodiscard]] TermRef waiting_stand_in(int arity, bool uncached);

// Stores the definition `d` (its body consumed) into the tables: an uncached
// one as (I body) and listed among the uncached names, a cached one plainly
// and taken off that list. A later definition of a name replaces an earlier.
void store_definition(GlobalTable& globals, UncachedNames& uncached, ParsedDefinition& d);
// What a definition's global holds: its body (consumed), or (I body) for an
// uncached one.
[[nodiscard]] TermRef stored_form(TermRef body, bool uncached);
// A one-letter lower-case name: a local variable, never a global.
bool is_variable_name(std::string_view name);
// The binders "\" and "{": the engine gives them their meaning.
bool is_binder_name(std::string_view name);
// A refusal of the definition `d` (borrowed) with the code and say given: its
// vip is the position code of d's segment and its tip the name's tip text.
Outcome refused_definition(const ParsedDefinition& d, const char* code, Bytes say);
// The "lower" refusal of a definition whose name is a variable's.
Outcome lower_refusal(const ParsedDefinition& d);

}  // namespace vesk
