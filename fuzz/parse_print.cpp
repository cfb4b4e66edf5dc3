// Fuzz target: the parser and the printer. A text that passes the bracket
// check parses and prints. The printer writes operators as the
// applications they are ("(+ a b)") and the empty leaf as "}", which is no
// inverse of the parser, so stability is asked where both the text and its
// print are free of operators (atoms, blanks and parentheses): that print
// must parse and print back to itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "diagnostics/outcome.hpp"
#include "front/brackets.hpp"
#include "front/layout.hpp"
#include "front/parser.hpp"
#include "front/printer.hpp"

namespace {

// The printed text of a parse, or nothing when the bracket check refuses
// the text.
std::optional<vesk::Bytes> print_of_parse(std::string_view text) {
    vesk::Outcome out;
    if (!vesk::check_brackets(text, out)) return std::nullopt;
    vesk::TermRef term = vesk::parse_expression(vesk::normalise_layout(text));
    return vesk::print_term(term);
}

// Texts whose every operator byte would print as an application.
bool operator_free(std::string_view text) {
    constexpr std::string_view kOperators = "\\;{}?&|=<>#@+-:.*/%'^~!\"$`,\n[]";
    return text.find_first_of(kOperators) == std::string_view::npos;
}

[[noreturn]] void finding(const char* what, const vesk::Bytes& a, const vesk::Bytes& b) {
    std::fprintf(stderr, "FINDING: %s:\n%s\n%s\n", what, a.c_str(), b.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<vesk::Bytes> once = print_of_parse(text);
    if (!once) return 0;
    if (!operator_free(text) || !operator_free(*once)) return 0;
    std::optional<vesk::Bytes> twice = print_of_parse(*once);
    if (!twice) finding("printed text fails the bracket check", vesk::Bytes(text), *once);
    if (*twice != *once) finding("print of parse not stable", *once, *twice);
    return 0;
}
