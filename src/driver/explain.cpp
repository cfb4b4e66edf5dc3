#include "driver/explain.hpp"

#include <cstdlib>
#include <string>
#include <vector>

#include "builtins/values.hpp"
#include "diagnostics/picture.hpp"
#include "front/printer.hpp"

namespace vesk {

namespace {

// An argument is shown in at most this many bytes.
constexpr std::size_t kShownArgument = 40;
// A term of more cells than this (counting a shared one at each use, as the
// printer does) is shown by its head only, so that a huge or much-shared
// argument costs no more to show than a small one.
constexpr std::size_t kPrintedCells = 64;

bool small_enough(const Term* t) {
    std::vector<const Term*> work{t};
    std::size_t cells = 0;
    while (!work.empty()) {
        const Term* c = work.back();
        work.pop_back();
        if (++cells > kPrintedCells) return false;
        if (!is_leaf_cell(c)) {
            work.push_back(left_cell(c));
            work.push_back(right_cell(c));
        }
    }
    return true;
}

Bytes shortened(Bytes text) {
    if (text.size() > kShownArgument) text = text.substr(0, kShownArgument - 3) + "...";
    return text;
}

// "TEXT (KIND)": the printed term, cut short, and its kind as `type` names it.
Bytes shown_argument(const TermRef& t) {
    Bytes text;
    if (small_enough(t.get())) {
        text = shortened(print_term(t));
    } else {
        Term* head = t.get();
        while (!is_leaf_cell(head)) head = left_cell(head);
        text = "(" + shortened(print_term(TermRef(head))) + " ...)";
    }
    return text + " (" + Bytes(kind_name(classify(t))) + ")";
}

Bytes caller_text(const ExplainTrail& trail) {
    if (!trail.caller.empty()) return "the body of " + trail.caller;
    if (trail.caller_level > 0) return "the main expression of a text given to road or load";
    return "the main expression";
}

// The latest calls, oldest first.
Bytes recent_calls(const ExplainTrail& trail) {
    std::size_t kept = trail.recent.size();
    Bytes line = trail.calls > kept ? "The last " + std::to_string(kept) + " of " +
                                          std::to_string(trail.calls) + " global calls"
                                    : Bytes("The global calls");
    line += ", latest last: ";
    for (std::size_t i = 0; i < kept; ++i) {
        std::size_t at = trail.calls > kept ? (trail.calls + i) % kRecentCalls : i;
        if (i > 0) line += ", ";
        line += leaf_view(trail.recent[at].get());
    }
    return line;
}

}  // namespace

bool explain_from_environment() {
    const char* value = std::getenv("VESK_EXPLAIN");
    return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

void attach_trail(Runtime& rt, ExplainTrail& trail) {
    for (const auto& [name, definition] : rt.prelude) {
        if (name.size() != 1) continue;
        auto now = rt.globals.find(name);
        if (now != rt.globals.end() && compare_terms(now->second, definition) == 0) {
            trail.hidden.set(static_cast<unsigned char>(name[0]));
        }
    }
    trail.ran = true;
    rt.trail = &trail;
}

Bytes explain_report(const ExplainTrail& trail, bool failed, bool colour) {
    if (!trail.ran || (!failed && !trail.failed)) return {};
    std::vector<Bytes> lines;
    if (!failed) lines.push_back("The program returned an integer, but a built-in gave Z on the way.");
    if (trail.failed) {
        Bytes name(trail.builtin);
        lines.push_back("Z first came from the built-in " + name + ", called in " +
                        caller_text(trail) + ".");
        Bytes given = name + (trail.arguments.empty() ? " takes no arguments." : " was given: ");
        for (std::size_t i = 0; i < trail.arguments.size(); ++i) {
            if (i > 0) given += ", ";
            given += shown_argument(trail.arguments[i]);
        }
        lines.push_back(given);
    } else {
        lines.push_back("No built-in call gave Z.");
    }
    lines.push_back(trail.calls == 0 ? Bytes("No global of the program was called.")
                                     : recent_calls(trail));
    Bytes report;
    for (const Bytes& line : lines) report += " <explain> " + render(line, colour) + "\n";
    return report;
}

}  // namespace vesk
