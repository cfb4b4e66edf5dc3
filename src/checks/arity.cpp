#include "checks/arity.hpp"

#include "checks/binders.hpp"
#include "front/tip_text.hpp"

namespace vesk {

int leading_lambdas(const TermRef& term) {
    int count = 0;
    const Term* cell = term.get();
    while (count <= kMaxParameters && is_lambda_cell(cell)) {
        ++count;
        cell = binder_body(cell);
    }
    return count;
}

bool check_arity(const GlobalTable& globals, Outcome& out) {
    for (const auto& [name, term] : globals) {
        if (leading_lambdas(term) > kMaxParameters) {
            // The main expression is stored under the empty name; messages
            // about it call it TOP.
            Bytes shown = name.empty() ? Bytes("TOP") : name;
            out.code = "arity";
            out.say = "Arity of function " + shown + " may not exceed ten.";
            out.vip = tip_text(shown);
            return false;
        }
    }
    return true;
}

}  // namespace vesk
