// The two binder forms as the parser builds them, read off raw cells:
//   lambda  ((\ x) body)          the leaf "\" applied to the bound part, then the body
//   let     ((({ x) value) body)  the leaf "{" applied to the bound part, the value, the body
// All pointers here are borrowed: the caller keeps the term alive.
#pragma once

#include <string_view>

#include "terms/term.hpp"

namespace vesk {

// True when `t` is a leaf whose whole text is `text`.
inline bool is_leaf_text(const Term* t, std::string_view text) {
    return is_leaf_cell(t) && leaf_view(t) == text;
}

// True for ((\ x) body).
inline bool is_lambda_cell(const Term* t) {
    if (is_leaf_cell(t)) return false;
    const Term* head = left_cell(t);
    return !is_leaf_cell(head) && is_byte_leaf(left_cell(head), '\\');
}

// True for ((({ x) value) body).
inline bool is_let_cell(const Term* t) {
    if (is_leaf_cell(t)) return false;
    const Term* head = left_cell(t);
    if (is_leaf_cell(head)) return false;
    const Term* inner = left_cell(head);
    return !is_leaf_cell(inner) && is_byte_leaf(left_cell(inner), '{');
}

// The bound part x of a lambda or let.
[[nodiscard]] inline Term* lambda_bound(const Term* lambda) {
    return right_cell(left_cell(lambda));
}
[[nodiscard]] inline Term* let_bound(const Term* let) {
    return right_cell(left_cell(left_cell(let)));
}
// The value of a let, and the body of either binder.
[[nodiscard]] inline Term* let_value(const Term* let) {
    return right_cell(left_cell(let));
}
[[nodiscard]] inline Term* binder_body(const Term* binder) {
    return right_cell(binder);
}

// True when the bound part is a leaf whose text is a source-form name
// ("x", "xs", "K", "[+]"); a pair is never a name.
bool is_name_binder(const Term* bound);

// The name a name binder (a leaf that passed is_name_binder) binds, as a
// view into its text: "[+]" binds "+".
inline std::string_view bound_name(const Term* binder) {
    std::string_view text = leaf_view(binder);
    return text[0] == '[' ? text.substr(1, 1) : text;
}

}  // namespace vesk
