#include "driver/stages.hpp"

#include <cstdint>

#include "builtins/families.hpp"
#include "checks/check_program.hpp"
#include "driver/checked_base.hpp"
#include "driver/explain.hpp"
#include "driver/result.hpp"
#include "engine/machine.hpp"
#include "numbers/integers.hpp"
#include "runtime/definitions.hpp"
#include "runtime/prelude.hpp"
#include "runtime/runtime.hpp"
#include "terms/out_of_memory.hpp"

namespace vesk {

Outcome run_program(Runtime& rt, int& status, ExplainTrail* trail) {
    auto main_entry = rt.globals.find(std::string_view());
    VESK_ASSERT(main_entry != rt.globals.end());
    auto address = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(rt.arguments));
    TermRef program = make_pair(main_entry->second, int_term(address));
    if (trail != nullptr) attach_trail(rt, *trail);
    TermRef result = evaluate(rt, std::move(program));
    rt.trail = nullptr;
    return classify_result(std::move(result), status);
}

Outcome run_stages(Bytes text, char** args, int& status, ExplainTrail* trail) {
    set_activity("loading the prelude");
    CheckedBase base;
    prepare_checked_base(base);
    return run_over_base(base, std::move(text), args, status, trail);
}

Outcome run_whole_program(ParsedProgram& program, char** args, int& status, ExplainTrail* trail) {
    Runtime rt;
    rt.arguments = args;
    install_builtins(rt);
    set_activity("loading the prelude");
    load_prelude(rt);
    set_activity("loading the definitions");
    Outcome out = load_program(rt, program);
    if (!is_check(out)) return out;
    set_activity("checking the program");
    out = check_program(rt);
    if (!is_check(out)) return out;
    set_activity("running the program");
    return run_program(rt, status, trail);
}

Outcome run_whole_stages(Bytes text, char** args, int& status) {
    Outcome out;
    std::optional<ParsedProgram> program = parse_program(std::move(text), out);
    if (!program) return out;
    return run_whole_program(*program, args, status);
}

}  // namespace vesk
