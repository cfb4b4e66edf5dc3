#include "driver/checked_base.hpp"

#include <utility>

#include "builtins/families.hpp"
#include "checks/arity.hpp"
#include "checks/check_program.hpp"
#include "checks/letters.hpp"
#include "checks/local.hpp"
#include "checks/pattern_lets.hpp"
#include "checks/platform_layout.hpp"
#include "checks/quotes.hpp"
#include "checks/sharing.hpp"
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

void copy_base(const CheckedBase& base, Runtime& rt) {
    rt.globals = base.rt.globals;
    rt.prelude = base.rt.prelude;
    rt.builtins = base.rt.builtins;
    rt.leaves = base.rt.leaves;
    copy_sharing_table(base.sharing, rt.sharing);
}

// The program's definitions and main expression as the loader would store
// them, or the loader's refusal. Empty `fresh` with a "check" outcome means
// the program redefines a base name.
Outcome take_program(const CheckedBase& base, Runtime& rt, ParsedProgram& program,
                     GlobalTable& fresh) {
    for (ParsedDefinition& d : program.definitions) {
        if (is_variable_name(d.name)) return lower_refusal(d);
        if (is_binder_name(d.name) || rt.builtins.count(d.name) != 0) {
            return refused_definition(d, "built",
                                      "Built in function [" + d.name + "] cannot be re-defined.");
        }
        if (base.rt.globals.count(d.name) != 0) {
            fresh.clear();
            return Outcome{};
        }
        store_definition(fresh, rt.uncached, d);
    }
    fresh.insert_or_assign("", std::move(program.main));
    return Outcome{};
}

}  // namespace

void prepare_checked_base(CheckedBase& base) {
    Runtime& rt = base.rt;
    install_builtins(rt);
    load_prelude(rt);
    install_builtin_templates(rt);
    add_layout_global(rt.globals);
    rewrite_quotes(rt.globals);
    rewrite_pattern_lets(rt.globals);
    base.uses = free_names_of(rt.globals);
    Outcome out;
    bool passed = check_letters(rt.globals, out) && check_arity(rt.globals, out);
    VESK_ASSERT(passed);
    for (auto& entry : rt.globals) entry.second = share_term(base.sharing, std::move(entry.second));
    VESK_ASSERT(check_local(rt.globals, out));
    for (const auto& entry : rt.globals) annotate(rt.globals, entry.second);
}

Outcome run_stages_on_base(const CheckedBase& base, std::string_view text, char** args,
                           int& status) {
    Runtime rt;
    rt.arguments = args;
    copy_base(base, rt);
    set_activity("loading the definitions");
    Outcome out;
    std::optional<ParsedProgram> program = parse_program(Bytes(text), out);
    if (!program) return out;
    GlobalTable fresh;
    out = take_program(base, rt, *program, fresh);
    if (!is_check(out)) return out;
    if (fresh.empty()) return run_stages(Bytes(text), args, status);
    set_activity("checking the program");
    out = check_program_over_base(rt, std::move(fresh), base.uses);
    if (!is_check(out)) return out;
    set_activity("running the program");
    return run_program(rt, status);
}

}  // namespace vesk
