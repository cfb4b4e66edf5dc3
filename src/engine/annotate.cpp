#include "engine/annotate.hpp"

#include <string_view>
#include <vector>

#include "engine/shape.hpp"
#include "runtime/globals.hpp"

namespace vesk {

namespace {

using annotation::kVariableArity;
constexpr int kMaxLambdas = 11;

bool is_operator_name_byte(unsigned char c) {
    static constexpr std::string_view kOperators = "{,}~!@#$%^&*<>-|+/=\\.`'\":;?";
    return kOperators.find(static_cast<char>(c)) != std::string_view::npos;
}

// A name as a leaf holds it: lower-case letters and '_', or one byte that is
// a control byte, a capital, a high byte or an operator character.
bool is_name_text(std::string_view text) {
    if (text.empty()) return false;
    unsigned char c = static_cast<unsigned char>(text[0]);
    if (c == '_' || (c >= 'a' && c <= 'z')) {
        for (char b : text) {
            if (b != '_' && (b < 'a' || b > 'z')) return false;
        }
        return true;
    }
    if (text.size() != 1) return false;
    return (c >= 1 && c <= 31) || (c >= 'A' && c <= 'Z') || c >= 127 || is_operator_name_byte(c);
}

// Leading lambdas of a definition, counting no further than kMaxLambdas.
int count_lambdas(const Term* d) {
    int count = 0;
    while (count < kMaxLambdas && binder_shape(d) == BinderShape::lambda) {
        ++count;
        d = right_cell(d);
    }
    return count;
}

void annotate_name(const GlobalTable& globals, Term* t, std::string_view text) {
    auto found = globals.find(text);
    if (found != globals.end()) {
        set_arity(t, count_lambdas(found->second.cell));
        return;
    }
    // Anything else reaching here was let through by the checks, which refuse
    // undefined names and unbound variables.
    VESK_ASSERT(text.size() == 1);
    unsigned char c = static_cast<unsigned char>(text[0]);
    VESK_ASSERT(c >= 'a');
    VESK_ASSERT(c <= 'z');
    set_arity(t, kVariableArity);
    set_span(t, letter_bit(c));
}

void annotate_leaf(const GlobalTable& globals, Term* t) {
    switch (leaf_kind(t)) {
        case LeafKind::bracket: set_data_marker(t); return;
        case LeafKind::number:
        case LeafKind::counted:
        case LeafKind::raw: set_arity(t, 1); return;
        case LeafKind::name: break;
    }
    switch (first_byte(t)) {
        case ')': set_arity(t, 1); return;  // definer or cycle leaf
        case ']': set_arity(t, 2); return;  // error leaf
        default: break;
    }
    std::string_view text = leaf_view(t);
    if (is_name_text(text)) {
        annotate_name(globals, t, text);
    } else {
        set_arity(t, 1);  // any other text
    }
}

}  // namespace

void annotate_data_pair(Term* t) {
    set_data_marker(t);
    // The joined text length, when both parts know theirs.
    std::uint32_t sl = span_of(left_cell(t));
    std::uint32_t sr = span_of(right_cell(t));
    if (sl >= 2 && sr >= 2 && sl + sr < header::kSpanLimit) set_span(t, sl + sr);
}

// Children before parents: a pair stays on the stack until both children
// carry annotations. Only unannotated cells are ever pushed.
void annotate(const GlobalTable& globals, Term* t) {
    if (is_annotated(t)) return;
    if (is_leaf_cell(t)) {
        annotate_leaf(globals, t);
        return;
    }
    static thread_local std::vector<Term*> stack;
    std::size_t base = stack.size();
    stack.push_back(t);
    while (stack.size() > base) {
        Term* c = stack.back();
        if (is_annotated(c)) {  // reached twice through sharing
            stack.pop_back();
            continue;
        }
        if (is_leaf_cell(c)) {
            annotate_leaf(globals, c);
            stack.pop_back();
            continue;
        }
        Term* l = left_cell(c);
        Term* r = right_cell(c);
        bool ready = true;
        if (!is_annotated(r)) {
            stack.push_back(r);
            ready = false;
        }
        if (!is_annotated(l)) {
            stack.push_back(l);
            ready = false;
        }
        if (ready) {
            annotate_pair(c);
            stack.pop_back();
        }
    }
}

int read_arity(const GlobalTable& globals, const TermRef& t) {
    return arity_of(globals, t.cell);
}
std::uint32_t variable_set(const GlobalTable& globals, const TermRef& t) {
    return variables_of(globals, t.cell);
}
bool is_value(const GlobalTable& globals, const TermRef& t) {
    return value_cell(globals, t.cell);
}

bool has_linear_head(const GlobalTable& globals, const TermRef& t) {
    annotate(globals, t.cell);
    return has_linear_head(t.cell);
}

}  // namespace vesk
