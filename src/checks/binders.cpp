#include "checks/binders.hpp"

#include "front/names.hpp"

namespace vesk {

bool is_name_binder(const Term* bound) {
    return is_leaf_cell(bound) && is_name(leaf_view(bound));
}

TermRef make_lambda(TermRef bound, TermRef body) {
    return make_pair(make_pair(leaf_term("\\"), std::move(bound)), std::move(body));
}

TermRef make_let(TermRef bound, TermRef value, TermRef body) {
    return make_pair(make_pair(make_pair(leaf_term("{"), std::move(bound)), std::move(value)),
                     std::move(body));
}

}  // namespace vesk
