#include "checks/pattern_lets.hpp"

#include "checks/binders.hpp"
#include "checks/quotes.hpp"
#include "checks/walk.hpp"
#include "front/names.hpp"

namespace vesk {

namespace {

bool is_name_pattern(const Term* bound) {
    return !is_leaf_cell(bound) && is_name_binder(left_cell(bound)) &&
           is_name_binder(right_cell(bound));
}

TermRef let_of(const PatternLeaves& leaves, TermRef bound, TermRef value, TermRef body) {
    return make_pair(make_pair(make_pair(leaves.let, std::move(bound)), std::move(value)),
                     std::move(body));
}

// The three lets for a let whose bound part passed is_name_pattern (borrowed).
TermRef split_pattern_let(const PatternLeaves& leaves, const TermRef& let) {
    Term* pattern = let_bound(let.get());
    TermRef first(left_cell(pattern));
    TermRef second(right_cell(pattern));
    TermRef whole = leaf_term(name_text(leaf_view(second.get())));
    TermRef body(binder_body(let.get()));
    TermRef second_part = let_of(leaves, second, make_pair(whole, leaves.second), std::move(body));
    TermRef first_part =
        let_of(leaves, first, make_pair(whole, leaves.first), std::move(second_part));
    return let_of(leaves, second, TermRef(let_value(let.get())), std::move(first_part));
}

}  // namespace

TermRef pattern_let_pair(const PatternLeaves& leaves, Term* original, TermRef left, TermRef right) {
    TermRef pair = keep_or_pair(original, std::move(left), std::move(right));
    if (is_let_cell(pair.get()) && is_name_pattern(let_bound(pair.get()))) {
        return split_pattern_let(leaves, pair);
    }
    return pair;
}

TermRef rewrite_pattern_lets(const TermRef& term) {
    auto leaf_fn = [](Term* leaf) { return TermRef(leaf); };
    PatternLeaves leaves;
    auto pair_fn = [&leaves](Term* original, TermRef left, TermRef right) {
        return pattern_let_pair(leaves, original, std::move(left), std::move(right));
    };
    return rebuild_term(term, leaf_fn, pair_fn);
}

void rewrite_quotes_and_pattern_lets(GlobalTable& globals) {
    PatternLeaves leaves;
    TermRef v = leaf_term("V");
    auto pair_fn = [&](Term* original, TermRef left, TermRef right) {
        if (is_byte_leaf(left_cell(original), '`')) {
            return quote_pair(v, original, std::move(left), std::move(right));
        }
        return pattern_let_pair(leaves, original, std::move(left), std::move(right));
    };
    // With its children as they were, a pair changes only as a quote or as a
    // pattern let itself.
    auto rule_at = [](Term* pair) {
        return is_byte_leaf(left_cell(pair), '`') ||
               (is_let_cell(pair) && is_name_pattern(let_bound(pair)));
    };
    for (auto& entry : globals) entry.second = rewrite_changed(entry.second, rule_at, pair_fn);
}

}  // namespace vesk
