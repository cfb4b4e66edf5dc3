#include "checks/quotes.hpp"

#include "checks/binders.hpp"
#include "checks/walk.hpp"
#include "front/printer.hpp"

namespace vesk {

TermRef quote_pair(const TermRef& v, Term* original, TermRef left, TermRef right) {
    if (!is_byte_leaf(left_cell(original), '`')) {
        return keep_or_pair(original, std::move(left), std::move(right));
    }
    // The text is of the quoted term as written, inner quotes included.
    TermRef source = leaf_term("[" + print_term(TermRef(right_cell(original))) + "]");
    return make_pair(make_pair(v, std::move(source)), std::move(right));
}

TermRef rewrite_quotes(const TermRef& term) {
    auto leaf_fn = [](Term* leaf) { return TermRef(leaf); };
    TermRef v = leaf_term("V");
    auto pair_fn = [&v](Term* original, TermRef left, TermRef right) {
        return quote_pair(v, original, std::move(left), std::move(right));
    };
    return rebuild_term(term, leaf_fn, pair_fn);
}

}  // namespace vesk
