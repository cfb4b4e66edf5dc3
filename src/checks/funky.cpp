#include "checks/funky.hpp"

#include "checks/free_names.hpp"
#include "diagnostics/picture.hpp"
#include "front/printer.hpp"
#include "front/tip_text.hpp"

namespace vesk {

// The walk that gathers a definition's names finds it on the way.
std::optional<TermRef> funky_binder(const TermRef& term) {
    return term_facts(term).funky;
}

Outcome funky_outcome(const Bytes& name, const TermRef& binder) {
    Bytes printed = print_term(binder);
    Outcome out;
    out.code = "funky";
    out.tip = excerpt(printed);
    if (name.empty()) {
        out.say = "Funky key in expression " + printed + ".";
    } else {
        out.say = "Funky key in expression " + printed + " in function " + name + ".";
        out.vip = tip_text(name);
    }
    return out;
}

bool check_funky(const GlobalTable& globals, Outcome& out) {
    for (const auto& [name, term] : globals) {
        if (std::optional<TermRef> binder = funky_binder(term)) {
            out = funky_outcome(name, *binder);
            return false;
        }
    }
    return true;
}

}  // namespace vesk
