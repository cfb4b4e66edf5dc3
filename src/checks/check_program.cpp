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
#include "front/globals.hpp"

namespace vesk {

Outcome check_program() {
    GlobalTable& globals = global_table();
    Outcome out;
    add_layout_global(globals);
    rewrite_quotes(globals);
    rewrite_pattern_lets(globals);
    if (!check_funky(globals, out)) return out;
    {
        NameUses uses = free_names_of(globals);
        if (!check_alive(globals, uses, out)) return out;
        prune_broken(globals, std::move(uses), prelude_table(), uncached_names());
    }
    if (!check_letters(globals, out)) return out;
    if (!check_arity(globals, out)) return out;
    share_definitions(globals);
    if (!check_local(globals, out)) return out;
    for (const auto& entry : globals) annotate(entry.second);
    return out;
}

}  // namespace vesk
