#include "driver/stages.hpp"

#include <cstdint>

#include "checks/check_program.hpp"
#include "driver/result.hpp"
#include "engine/machine.hpp"
#include "front/definitions.hpp"
#include "front/globals.hpp"
#include "front/prelude.hpp"
#include "numbers/integers.hpp"
#include "terms/out_of_memory.hpp"

namespace vesk {

namespace {

// The run stage, after the checks: the prepared main expression applied to the address of
// the argument vector, reduced, and its result classified.
Outcome run_program(char** args) {
    GlobalTable& table = global_table();
    auto main_entry = table.find(Bytes());
    VESK_ASSERT(main_entry != table.end());
    std::int64_t address = static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(args));
    TermRef program = make_pair(main_entry->second, int_term(address));
    return classify_result(evaluate(std::move(program)));
}

}  // namespace

Outcome run_stages(Bytes text, char** args, int& status) {
    set_activity("loading the prelude");
    load_prelude();
    set_activity("loading the definitions");
    Outcome out = load_definitions(std::move(text));
    if (!is_check(out)) return out;
    set_activity("checking the program");
    out = check_program();
    if (!is_check(out)) return out;
    set_activity("running the program");
    out = run_program(args);
    if (!is_check(out)) return out;
    status = program_exit_status();
    return out;
}

}  // namespace vesk
