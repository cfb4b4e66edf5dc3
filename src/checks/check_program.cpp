#include "checks/check_program.hpp"

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
#include "checks/sharing.hpp"
#include "engine/annotate.hpp"

namespace vesk {

Outcome check_program(Runtime& rt) {
    GlobalTable& globals = rt.globals;
    Outcome out;
    add_layout_global(globals);
    rewrite_quotes(globals);
    rewrite_pattern_lets(globals);
    if (!check_funky(globals, out)) return out;
    {
        NameUses uses = free_names_of(globals);
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

}  // namespace vesk
