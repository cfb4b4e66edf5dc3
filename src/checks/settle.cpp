#include "checks/settle.hpp"

#include <utility>
#include <vector>

#include "checks/arity.hpp"
#include "checks/letters.hpp"
#include "checks/pattern_lets.hpp"
#include "checks/sharing.hpp"
#include "engine/annotate.hpp"
#include "runtime/definitions.hpp"

namespace vesk {

namespace {

// The checked form of the definition in `piece`: the quick read vouched
// that it passes every check, so a failure here is a broken invariant.
TermRef checked_form(Runtime& rt, const Bytes& name, PendingPiece piece) {
    std::optional<ParsedDefinition> d = parse_definition_at(*rt.pending.text, piece.begin);
    VESK_ASSERT(d && d->name == name);
    GlobalTable one;
    one.emplace(name, stored_form(std::move(d->body), d->uncached));
    rewrite_quotes_and_pattern_lets(one);
    std::vector<LetterChoice> choices;
    Outcome out;
    bool fits = choose_all_letters(one, choices, out);
    VESK_ASSERT(fits);
    return share_renamed(rt.sharing, std::move(one.begin()->second), choices[0], nullptr);
}

}  // namespace

void settle_waiting(Runtime& rt, std::string_view name) {
    auto at = rt.pending.waiting.find(name);
    if (at == rt.pending.waiting.end()) return;
    Bytes key = at->first;
    PendingPiece piece = at->second;
    rt.pending.waiting.erase(at);
    TermRef term = checked_form(rt, key, piece);
    auto global = rt.globals.find(key);
    VESK_ASSERT(global != rt.globals.end());
    // Other definitions were annotated with the stand-in's arity.
    VESK_ASSERT(leading_lambdas(term) == leading_lambdas(global->second));
    global->second = std::move(term);
    annotate(rt.globals, global->second);
    if (rt.pending.waiting.empty()) {
        keep_shared_values(rt.sharing, rt.globals);
        rt.pending.text.reset();
    }
}

void settle_all_waiting(Runtime& rt) {
    while (!rt.pending.waiting.empty())
        settle_waiting(rt, Bytes(rt.pending.waiting.begin()->first));
}

}  // namespace vesk
