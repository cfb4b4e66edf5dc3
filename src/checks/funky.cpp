#include "checks/funky.hpp"

#include <set>
#include <vector>

#include "checks/binders.hpp"
#include "diagnostics/picture.hpp"
#include "front/printer.hpp"
#include "front/tip_text.hpp"

namespace vesk {

// Depth-first with an explicit stack, right parts pushed first so the left
// part is examined first. A shared cell already examined holds no funky
// binder (or the walk would have stopped), so it is skipped when met again.
std::optional<TermRef> funky_binder(const TermRef& term) {
    std::vector<Term*> todo{term.get()};
    std::set<const Term*> seen;
    while (!todo.empty()) {
        Term* cell = todo.back();
        todo.pop_back();
        if (is_leaf_cell(cell)) continue;
        if (refs_of(cell) > 1 && !seen.insert(cell).second) continue;
        if (is_lambda_cell(cell)) {
            if (!is_name_binder(lambda_bound(cell))) return TermRef(cell);
            todo.push_back(binder_body(cell));
        } else if (is_let_cell(cell)) {
            if (!is_name_binder(let_bound(cell))) return TermRef(cell);
            todo.push_back(binder_body(cell));
            todo.push_back(let_value(cell));
        } else {
            todo.push_back(right_cell(cell));
            todo.push_back(left_cell(cell));
        }
    }
    return std::nullopt;
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
