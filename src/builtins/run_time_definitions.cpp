#include "builtins/run_time_definitions.hpp"

#include <map>
#include <set>

#include "checks/arity.hpp"
#include "checks/free_names.hpp"
#include "checks/funky.hpp"
#include "checks/letters.hpp"
#include "checks/pattern_lets.hpp"
#include "checks/prune.hpp"
#include "checks/quotes.hpp"
#include "checks/sharing.hpp"
#include "diagnostics/picture.hpp"
#include "engine/annotate.hpp"
#include "front/tip_text.hpp"
#include "runtime/definitions.hpp"

namespace vesk {

namespace {

// The text's definitions by name, its main expression under "", and the
// names written name()\body.
struct NewDefinitions {
    GlobalTable terms;
    UncachedNames uncached;
};

Outcome roads_refusal(const Bytes& name) {
    Outcome out;
    out.code = "roads";
    out.say = "Attempt to redefine function " + name + " using the road function.";
    out.vip = tip_text(name);
    return out;
}

// Takes each definition in text order, refusing the names a run-time
// definition may not use. A name written twice keeps its last definition,
// as the program loader keeps it.
bool take_definitions(const Runtime& rt, ParsedProgram& program, NewDefinitions& fresh,
                      Outcome& out) {
    for (ParsedDefinition& d : program.definitions) {
        if (is_variable_name(d.name)) {
            out = lower_refusal(d);
        } else if (is_binder_name(d.name) || rt.builtins.count(d.name) != 0) {
            out = refused_definition(d, "built",
                                     "Built in function " + d.name + " cannot be re-defined.");
        } else if (rt.globals.count(d.name) != 0) {
            out = roads_refusal(d.name);
        }
        if (!is_check(out)) return false;
        store_definition(fresh.terms, fresh.uncached, d);
    }
    fresh.terms.insert_or_assign("", std::move(program.main));
    return true;
}

// The program checks end their messages with a full stop; a run-time
// definition's funky message has none, nor do place and local when they
// name a function (their vip is the function's name then).
void drop_final_stop(Outcome& out) {
    bool named = !out.vip.empty();
    bool drop = out.code == "funky" || ((out.code == "place" || out.code == "local") && named);
    if (drop && !out.say.empty() && out.say.back() == '.') out.say.pop_back();
}

// Reachability from the text's main expression. A name rt defines already
// was checked when it was loaded, with everything it uses: the walk stops
// there.
bool check_reachable(const Runtime& rt, const NewDefinitions& fresh, const NameUses& uses,
                     Outcome& out) {
    std::map<Bytes, Bytes> frontier{{"", "nowhere"}};  // name -> its referrer
    std::set<Bytes> visited;
    while (!frontier.empty()) {
        auto [name, referrer] = *frontier.begin();
        frontier.erase(frontier.begin());
        visited.insert(name);
        if (fresh.terms.count(name) != 0) {
            for (const Bytes& used : uses.at(name)) {
                if (visited.count(used) == 0) frontier[used] = name;
            }
        } else if (rt.globals.count(name) == 0) {
            Bytes shown = referrer.empty() ? Bytes("TOP") : referrer;
            out.code = "alive";
            out.say = "Alive function " + shown + " references undefined function " + name;
            out.vip = tip_text(shown);
            out.tip = tip_text(name);
            return false;
        }
    }
    return true;
}

// Unreachable new definitions that use a missing name, directly or through
// one another, are dropped. A placeholder stands for each name rt defines,
// so that the prune's test "is it defined" sees the running program too.
void drop_broken(const Runtime& rt, NewDefinitions& fresh, const NameUses& uses) {
    GlobalTable known;
    for (const auto& [name, term] : fresh.terms) known.emplace(name, term);
    for (const auto& [name, used_names] : uses) {
        for (const Bytes& used : used_names) {
            auto existing = rt.globals.find(used);
            if (existing != rt.globals.end()) known.emplace(used, existing->second);
        }
    }
    for (const Bytes& name : broken_globals(known, uses)) {
        fresh.terms.erase(name);
        fresh.uncached.erase(name);
    }
}

// The variables a definition leaves unbound. One-letter names are never
// globals, so they are the free one-letter names, read without annotating
// anything: annotation caches each name's arity from the global table,
// which must hold the new names first.
bool check_bound(const NewDefinitions& fresh, Outcome& out) {
    for (const auto& [name, term] : fresh.terms) {
        for (const Bytes& used : free_name_set(term)) {
            if (!is_variable_name(used)) continue;
            out.code = "local";
            if (name.empty()) {
                out.say = "Local variable " + used + " unbound.";
            } else {
                out.say = "Local variable " + used + " unbound in function " + name;
                out.vip = excerpt(name);
            }
            return false;  // the set is ordered: the first letter comes first
        }
    }
    return true;
}

// The checks of a loaded program, in their order, over the new definitions.
// The layout global is the running program's already.
bool check_new(const Runtime& rt, NewDefinitions& fresh, Outcome& out) {
    rewrite_quotes_and_pattern_lets(fresh.terms);
    if (!check_funky(fresh.terms, out)) return false;
    NameUses uses = free_names_of(fresh.terms);
    if (!check_reachable(rt, fresh, uses, out)) return false;
    drop_broken(rt, fresh, uses);
    if (!check_letters(fresh.terms, out)) return false;
    if (!check_arity(fresh.terms, out)) return false;
    return check_bound(fresh, out);
}

// The definitions become globals; then, with every name in place, they are
// shared through the running program's table and annotated.
TermRef commit(Runtime& rt, NewDefinitions& fresh) {
    auto top = fresh.terms.find("");
    TermRef main = std::move(top->second);
    fresh.terms.erase(top);
    for (auto& [name, term] : fresh.terms) rt.globals.insert_or_assign(name, std::move(term));
    rt.uncached.insert(fresh.uncached.begin(), fresh.uncached.end());
    for (const auto& [name, unused] : fresh.terms) {
        TermRef& stored = rt.globals.at(name);
        stored = share_term(rt.sharing, std::move(stored));
    }
    main = share_term(rt.sharing, std::move(main));
    keep_shared_values(rt.sharing, rt.globals);
    for (const auto& [name, unused] : fresh.terms) annotate(rt.globals, rt.globals.at(name));
    annotate(rt.globals, main);
    return main;
}

}  // namespace

std::optional<TermRef> define_at_run_time(Runtime& rt, Bytes text, Outcome& out) {
    // The new definitions are checked against the whole table and shared
    // with it: nothing may still wait.
    settle_everything(rt);
    out = Outcome{};
    std::optional<ParsedProgram> program = parse_program(std::move(text), out);
    if (!program) {
        if (out.code == "match") out.way = "yes";
        return std::nullopt;
    }
    NewDefinitions fresh;
    if (!take_definitions(rt, *program, fresh, out) || !check_new(rt, fresh, out)) {
        drop_final_stop(out);
        return std::nullopt;
    }
    return commit(rt, fresh);
}

}  // namespace vesk
