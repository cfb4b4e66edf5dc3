#include "checks/check_program.hpp"

#include <iterator>
#include <optional>
#include <utility>

#include "checks/alive.hpp"
#include "checks/arity.hpp"
#include "checks/free_names.hpp"
#include "checks/funky.hpp"
#include "checks/letters.hpp"
#include "checks/local.hpp"
#include "checks/pattern_lets.hpp"
#include "checks/platform_layout.hpp"
#include "checks/prune.hpp"
#include "checks/quotes.hpp"
#include "checks/settle.hpp"
#include "checks/sharing.hpp"
#include "engine/annotate.hpp"

namespace vesk {

namespace {

constexpr std::size_t kMemoDefinitions = 64;

// One walk of each definition serves the funky check, reachability and
// pruning, and the letters: what the separate checks would each find. Fills
// `uses` and `bound` (in table order) and returns true, or fills `out` with
// the first funky binder in name order and returns false.
bool read_definitions(const GlobalTable& definitions, NameUses& uses,
                      std::vector<BoundNames>& bound, Outcome& out) {
    std::vector<TermFacts> all = all_term_facts(definitions);
    auto facts = all.begin();
    for (const auto& entry : definitions) {
        if (facts->funky) {
            out = funky_outcome(entry.first, *facts->funky);
            return false;
        }
        uses.emplace_hint(uses.end(), entry.first, std::move(facts->free));
        bound.push_back(std::move(facts->bound));
        ++facts;
    }
    return true;
}

}  // namespace

// Pruning may put prelude definitions back, so the letters read their
// bound names afresh.
Outcome check_program(Runtime& rt) {
    GlobalTable& globals = rt.globals;
    Outcome out;
    add_layout_global(globals);
    rewrite_quotes_and_pattern_lets(globals);
    {
        NameUses uses;
        std::vector<BoundNames> unused;
        if (!read_definitions(globals, uses, unused, out)) return out;
        if (!check_alive(globals, uses, out)) return out;
        prune_broken(globals, std::move(uses), rt.prelude, rt.uncached);
    }
    if (!check_letters(globals, out)) return out;
    if (!check_arity(globals, out)) return out;
    share_definitions(rt.sharing, globals);
    if (!check_local(globals, out)) return out;
    for (const auto& entry : globals) annotate(globals, entry.second);
    return out;
}

// The base passes every check and holds no quote or pattern let, so each
// pass that reports in name order finds its first fault among the fresh
// definitions; reachability and pruning follow names across the whole table
// and so get every use. Fresh terms enter the globals before the walk (it
// asks which names are defined) and again, final, before the shared values
// are sorted out (annotation reads each name's definition).
//
// The definitions that wait (rt.pending.waiting) are in the globals already,
// as stand-ins, with their free names in `uses`: they can fail no check, and
// are passed over by every pass but reachability and pruning. While one
// waits, the sharing table keeps every entry, for it to share with when it
// settles.
Outcome check_program_over_base(Runtime& rt, GlobalTable fresh, NameUses uses) {
    Outcome out;
    rt.pending.settle = settle_waiting;
    rt.pending.settle_all = settle_all_waiting;
    rewrite_quotes_and_pattern_lets(fresh);
    NameUses all_uses;
    std::vector<BoundNames> bound;
    if (!read_definitions(fresh, all_uses, bound, out)) return out;
    uses.merge(all_uses);          // the names are disjoint: the fresh few move over
    auto at = rt.globals.begin();  // fresh names come in order: each hint is close
    for (const auto& [name, term] : fresh)
        at = std::next(rt.globals.insert_or_assign(at, name, term));
    if (!check_alive(rt.globals, uses, out)) return out;
    if (prune_broken(rt.globals, std::move(uses), rt.prelude, rt.uncached)) {
        for (auto entry = rt.pending.waiting.begin(); entry != rt.pending.waiting.end();) {
            bool kept = rt.globals.count(entry->first) != 0 && rt.prelude.count(entry->first) == 0;
            entry = kept ? std::next(entry) : rt.pending.waiting.erase(entry);
        }
    }
    std::vector<BoundNames> kept;  // the bound names of the definitions pruning kept
    auto names = bound.begin();
    for (auto entry = fresh.begin(); entry != fresh.end(); ++names) {
        if (rt.globals.count(entry->first) == 0) {
            entry = fresh.erase(entry);
        } else {
            kept.push_back(std::move(*names));
            ++entry;
        }
    }
    // The renaming is left to the sharing walk, which rebuilds every term anyway.
    std::vector<LetterChoice> choices;
    if (!choose_all_letters(fresh, choices, out, &kept)) return out;
    if (!check_arity(fresh, out)) return out;
    at = rt.globals.begin();
    auto choice = choices.begin();
    {
        // A memo pays for its 4096 slots only over many definitions.
        std::optional<SharingMemo> memo;
        if (fresh.size() >= kMemoDefinitions) memo.emplace();
        SharingMemo* pass = memo ? &*memo : nullptr;  // gone before the table drops entries
        for (auto& [name, term] : fresh) {
            term = share_renamed(rt.sharing, std::move(term), *choice++, pass);
            at = std::next(rt.globals.insert_or_assign(at, name, term));
        }
    }
    // Annotating the definitions first visits their cells in the order they
    // were made; the table's entries, then only read, are the same cells.
    for (const auto& entry : fresh) annotate(rt.globals, entry.second);
    if (rt.pending.waiting.empty()) {
        rt.pending.text.reset();
        keep_shared_values(rt.sharing, rt.globals);
    }
    bool all_bound = check_local(fresh, out);  // the last check: `out` says either way
    static_cast<void>(all_bound);
    return out;
}

}  // namespace vesk
