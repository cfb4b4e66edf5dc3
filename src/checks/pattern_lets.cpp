#include "checks/pattern_lets.hpp"

#include "checks/binders.hpp"
#include "checks/walk.hpp"
#include "front/names.hpp"

namespace vesk {

namespace {

bool is_name_pattern(const Term* bound) {
    return !is_leaf_cell(bound) && is_name_binder(left_cell(bound)) &&
           is_name_binder(right_cell(bound));
}

// The three lets for a let whose bound part passed is_name_pattern (borrowed).
TermRef split_pattern_let(const TermRef& let) {
    Term* pattern = let_bound(let.get());
    TermRef first(left_cell(pattern));
    TermRef second(right_cell(pattern));
    TermRef whole = leaf_term(name_text(leaf_view(second.get())));
    TermRef body(binder_body(let.get()));
    TermRef second_part = make_let(second, make_pair(whole, leaf_term("H")), std::move(body));
    TermRef first_part = make_let(first, make_pair(whole, leaf_term("K")), std::move(second_part));
    return make_let(second, TermRef(let_value(let.get())), std::move(first_part));
}

}  // namespace

TermRef rewrite_pattern_lets(const TermRef& term) {
    auto leaf_fn = [](Term* leaf) { return TermRef(leaf); };
    auto pair_fn = [](Term* original, TermRef left, TermRef right) {
        TermRef pair = keep_or_pair(original, std::move(left), std::move(right));
        if (is_let_cell(pair.get()) && is_name_pattern(let_bound(pair.get()))) {
            return split_pattern_let(pair);
        }
        return pair;
    };
    return rebuild_term(term, leaf_fn, pair_fn);
}

void rewrite_pattern_lets(GlobalTable& globals) {
    for (auto& entry : globals) entry.second = rewrite_pattern_lets(entry.second);
}

}  // namespace vesk
