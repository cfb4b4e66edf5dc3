#include "driver/checked_base.hpp"

#include <utility>

#include "builtins/families.hpp"
#include "checks/check_program.hpp"
#include "checks/debug_log.hpp"
#include "checks/platform_layout.hpp"
#include "checks/sharing.hpp"
#include "driver/definitions_by_name.hpp"
#include "driver/stages.hpp"
#include "engine/annotate.hpp"
#include "runtime/definitions.hpp"
#include "runtime/prelude.hpp"
#include "terms/out_of_memory.hpp"

namespace vesk {

namespace {

// Each slot of the copy owns its own reference, as every slot does.
void copy_sharing_table(const SharingTable& from, SharingTable& to) {
    clear_sharing_table(to);
    to.slots = from.slots;
    to.used = from.used;
    for (const SharingSlot& slot : to.slots) {
        if (slot.cell != nullptr) retain(slot.cell);
    }
}

// Whether definitions may wait to be parsed until used: not while the
// debug log is written, which shows every renamed definition at the start.
bool may_wait(WaitMode mode) {
    if (mode == WaitMode::never) return false;
    return mode == WaitMode::always || !debug_log_path();
}

// The definition that stays of each name (by name) into the tables: a
// waiting one as its stand-in into the globals, its piece into rt.pending
// and its free names into `uses`; any other into `fresh`. Each table is
// filled in name order, so each insertion is next to the one before.
void store_kept(Runtime& rt, const std::vector<ParsedDefinition*>& kept, GlobalTable& fresh,
                NameUses& uses) {
    auto global_at = rt.globals.begin();
    auto uses_at = uses.begin();
    for (ParsedDefinition* d : kept) {
        if (!d->piece) {
            store_definition(fresh, rt.uncached, *d);
            continue;
        }
        global_at = std::next(rt.globals.insert_or_assign(global_at, d->name, std::move(d->body)));
        uses_at = std::next(uses.insert_or_assign(uses_at, d->name, std::move(d->free)));
        rt.pending.waiting.emplace_hint(rt.pending.waiting.end(), d->name, *d->piece);
        if (d->uncached) {
            rt.uncached.insert(d->name);
        } else if (!rt.uncached.empty()) {
            rt.uncached.erase(d->name);
        }
    }
}

// rt holds the base globals, its full sharing table in rt.sharing, and
// `uses` (consumed) the base's free names. Refusals come first, as the
// loader gives them in text order whatever else the program defines.
Outcome run_checked(Runtime& rt, NameUses uses, Bytes text, WaitMode mode, int& status,
                    ExplainTrail* trail = nullptr) {
    set_activity("loading the definitions");
    Outcome out;
    std::size_t text_size = text.size();
    std::optional<ParsedProgram> program =
        may_wait(mode) ? read_program(std::move(text), out) : parse_program(std::move(text), out);
    if (!program) return out;
    std::vector<ParsedDefinition*> by_name = definitions_by_name(*program);
    out = first_refusal(rt, *program, by_name);
    if (!is_check(out)) return out;
    if (defines_any(rt.globals, by_name)) {
        parse_waiting(*program);
        return run_whole_program(*program, rt.arguments, status, trail);
    }
    GlobalTable fresh;
    fresh.insert_or_assign("", std::move(program->main));
    store_kept(rt, last_of_each_name(by_name), fresh, uses);
    if (!rt.pending.waiting.empty()) rt.pending.text = program->text;
    set_activity("checking the program");
    // Room for a subterm per 16 bytes of text parsed, about what a large
    // program with much repeated text has; the table still doubles past it.
    if (rt.pending.waiting.empty()) reserve_sharing(rt.sharing, text_size / 16);
    out = check_program_over_base(rt, std::move(fresh), std::move(uses));
    if (!is_check(out)) return out;
    set_activity("running the program");
    return run_program(rt, status, trail);
}

}  // namespace

void prepare_checked_base(CheckedBase& base) {
    Runtime& rt = base.rt;
    install_builtins(rt);
    load_prelude(rt);
    install_builtin_templates(rt);
    add_layout_global(rt.globals);
    base.uses = free_names_of(rt.globals);
    for (auto& entry : rt.globals) entry.second = share_term(base.sharing, std::move(entry.second));
    for (const auto& entry : rt.globals) annotate(rt.globals, entry.second);
}

Outcome run_over_base(CheckedBase& base, Bytes text, char** args, int& status,
                      ExplainTrail* trail) {
    Runtime& rt = base.rt;
    rt.arguments = args;
    std::swap(rt.sharing.slots, base.sharing.slots);
    std::swap(rt.sharing.used, base.sharing.used);
    return run_checked(rt, std::move(base.uses), std::move(text), WaitMode::when_unlogged, status,
                       trail);
}

Outcome run_stages_on_base(const CheckedBase& base, std::string_view text, char** args, int& status,
                           WaitMode mode) {
    Runtime rt;
    rt.arguments = args;
    rt.globals = base.rt.globals;
    rt.prelude = base.rt.prelude;
    rt.builtins = base.rt.builtins;
    rt.leaves = base.rt.leaves;
    copy_sharing_table(base.sharing, rt.sharing);
    return run_checked(rt, base.uses, Bytes(text), mode, status);
}

}  // namespace vesk
