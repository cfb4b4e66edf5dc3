// type, real, zits, init, cape and lisp: a value's kind, and the value
// turned into another kind.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "builtins/arithmetic_parts.hpp"
#include "builtins/terms_parts.hpp"
#include "builtins/unfolded_forms.hpp"
#include "checks/sharing.hpp"
#include "front/printer.hpp"
#include "reals/bit_trees.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

// The "%e" text of a real, as plus joins it to a text.
Bytes real_text(Term* t) {
    return *join_text(operand(t));
}

// The one-character zits of a byte: "[" and "]" escaped, a newline not.
TermRef byte_zits(char c) {
    if (c == '[' || c == ']') return bracket_leaf(cape_escape(std::string_view(&c, 1), false));
    return bracket_leaf(std::string_view(&c, 1));
}

// The zits of a post's bytes: only when they need no escape.
TermRef zits_of_bytes(Call& call, std::string_view bytes) {
    if (bytes.find('\n') != std::string_view::npos || !brackets_balance(bytes)) return call.fail();
    return bracket_leaf(bytes);
}

}  // namespace

TermRef type_handler(Call& call) {
    Bytes name(kind_name(classify(call.args[0])));
    settle_everything(call.rt);  // the table as if nothing waited
    return share_term(call.rt.sharing, bracket_leaf(name));
}

TermRef real_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::real: return TermRef(x);
        case ValueKind::post: {
            Bytes bytes(counted_payload(x));  // a copy ends in the NUL strtod needs
            return float_result(std::strtod(bytes.c_str(), nullptr));
        }
        case ValueKind::zits: return float_result(std::atof(zits_text(x).c_str()));
        case ValueKind::hint:
        case ValueKind::numb: {
            std::optional<double> value = numeric_double(operand(x));
            return value ? float_result(*value) : call.fail();
        }
        case ValueKind::void_: break;
    }
    TermRef packed = pack_double_tree(TermRef(x));
    return classify(packed) == ValueKind::real ? std::move(packed) : call.fail();
}

TermRef zits_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::hint:
            // The element list of a one-element text, ((J K) list), has the
            // shape of an integer; it is one only when its list is all bits.
            if (std::optional<std::int64_t> c = integer_argument(x)) {
                return byte_zits(static_cast<char>(*c & 0xff));
            }
            break;
        case ValueKind::post: return zits_of_bytes(call, counted_payload(x));
        case ValueKind::real: return bracket_leaf(real_text(x));
        case ValueKind::zits: return is_leaf_cell(x) ? TermRef(x) : bracket_leaf(zits_text(x));
        case ValueKind::numb: return call.fail();
        case ValueKind::void_: break;
    }
    std::optional<Bytes> text = element_list_text(x);
    if (!text || !brackets_balance(*text)) return call.fail();
    return bracket_leaf(*text);
}

TermRef init_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::post: return TermRef(x);
        case ValueKind::real: return counted_leaf(std::string_view(leaf_chars(x) + 1, 8));
        case ValueKind::hint: {
            std::optional<std::int64_t> c = integer_argument(x);
            if (!c) return call.fail();
            char byte = static_cast<char>(*c & 0xff);
            return counted_leaf(std::string_view(&byte, 1));
        }
        case ValueKind::zits: return counted_leaf(zits_text(x));
        case ValueKind::numb: return call.fail();
        case ValueKind::void_: break;
    }
    std::optional<Bytes> bytes = counted_tree_bytes(x);
    if (!bytes) bytes = byte_list_bytes(x);
    return bytes ? counted_leaf(*bytes) : call.fail();
}

TermRef cape_handler(Call& call) {
    Term* x = call.args[0];
    switch (classify(x)) {
        case ValueKind::zits: {
            std::optional<Bytes> bytes = cape_unescape(zits_text(x));
            return bytes ? counted_leaf(*bytes) : call.fail();
        }
        case ValueKind::post: return bracket_leaf(cape_escape(counted_payload(x), false));
        default: return call.fail();
    }
}

// The printer writes every literal it meets with balanced brackets, so a
// printed text always makes a sound zits; a leaf that lost its balance
// (a program may write into memory) is refused rather than copied.
TermRef lisp_handler(Call& call) {
    Bytes printed = print_term(TermRef(call.args[0]));
    if (!brackets_balance(printed)) return call.fail();
    return bracket_leaf(printed);
}

}  // namespace vesk
