#include "engine/trail.hpp"

namespace vesk {

namespace {

// Forgets the open calls whose bodies are done by the time the machine is
// at `depth` of nesting `level`: those of a nested machine that has ended,
// and those entered deeper in this one (or as deep, with `same_too`: a
// call entered at the depth of another replaces it, as a tail call does).
void close_finished(ExplainTrail& trail, std::size_t level, std::size_t depth, bool same_too) {
    while (!trail.open.empty()) {
        const OpenCall& last = trail.open.back();
        bool done = last.level > level ||
                    (last.level == level && (last.depth > depth || (same_too && last.depth == depth)));
        if (!done) return;
        trail.open.pop_back();
    }
}

}  // namespace

void trail_global_call(Machine& m, Term* name) {
    ExplainTrail& trail = *m.rt.trail;
    std::string_view text = leaf_view(name);
    if (text.size() == 1 && trail.hidden.test(static_cast<unsigned char>(text[0]))) return;
    std::size_t level = m.rt.nested_runs, depth = m.frames.size();
    close_finished(trail, level, depth, true);
    if (trail.open.size() == kOpenCallLimit) trail.open.pop_front();
    trail.open.push_back(OpenCall{TermRef(name), level, depth});
    if (trail.recent.size() < kRecentCalls) {
        trail.recent.emplace_back(name);
    } else {
        trail.recent[trail.calls % kRecentCalls] = TermRef(name);
    }
    ++trail.calls;
}

void trail_builtin_result(Machine& m, const BuiltinRow& row, std::span<Term* const> args,
                          const Term* result) {
    ExplainTrail& trail = *m.rt.trail;
    if (trail.failed || !is_byte_leaf(result, 'Z')) return;
    trail.failed = true;
    trail.builtin = row.name;
    for (Term* a : args) trail.arguments.emplace_back(a);
    std::size_t level = m.rt.nested_runs;
    close_finished(trail, level, m.frames.size(), false);
    if (!trail.open.empty()) {
        trail.caller = Bytes(leaf_view(trail.open.back().name.get()));
        trail.caller_level = trail.open.back().level;
    } else {
        trail.caller_level = level;
    }
}

}  // namespace vesk
