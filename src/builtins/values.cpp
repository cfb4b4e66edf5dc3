#include "builtins/values.hpp"

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <vector>

#include "numbers/integers.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

std::string_view kind_name(ValueKind kind) {
    switch (kind) {
        case ValueKind::post: return "post";
        case ValueKind::real: return "real";
        case ValueKind::hint: return "hint";
        case ValueKind::numb: return "numb";
        case ValueKind::zits: return "zits";
        case ValueKind::void_: break;
    }
    return "void";
}

namespace {

// The kind of a pair that is not data: a list cell (J b) rest whose first
// bit b says integer (K) or bit string (H).
ValueKind classify_pair(const Term* t) {
    const Term* l = left_cell(t);
    if (is_leaf_cell(l) || !is_byte_leaf(left_cell(l), 'J')) return ValueKind::void_;
    const Term* bit = right_cell(l);
    if (is_byte_leaf(bit, 'H')) return ValueKind::numb;
    if (is_byte_leaf(bit, 'K')) return ValueKind::hint;
    return ValueKind::void_;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// A pair is data when every leaf under it is a bracket leaf.
bool is_data_tree(const Term* t) {
    std::vector<const Term*> todo{t};
    while (!todo.empty()) {
        const Term* c = todo.back();
        todo.pop_back();
        if (is_annotated(c)) {
            if (!is_data_cell(c)) return false;
        } else if (is_leaf_cell(c)) {
            if (leaf_kind(c) != LeafKind::bracket) return false;
        } else {
            todo.push_back(right_cell(c));
            todo.push_back(left_cell(c));
        }
    }
    return true;
}

}  // namespace

ValueKind classify(const Term* t) {
    if (is_leaf_cell(t)) {
        switch (leaf_kind(t)) {
            case LeafKind::raw: return ValueKind::real;
            case LeafKind::counted: return ValueKind::post;
            case LeafKind::bracket: return ValueKind::zits;
            case LeafKind::number: {
                bool bits = leaf_chars(t)[0] == '0' && leaf_chars(t)[1] == '0';
                return bits ? ValueKind::numb : ValueKind::hint;
            }
            case LeafKind::name: return ValueKind::void_;
        }
    }
    if (is_data_tree(t)) return ValueKind::zits;
    return classify_pair(t);
}

// Number leaves of up to 18 digits (and the leaf K) are read here directly;
// longer ones and bit lists go through the integer library.
std::optional<std::int64_t> integer_argument(const Term* t) {
    if (is_leaf_cell(t)) {
        const char* text = leaf_chars(t);
        if (text[0] == 'K' && text[1] == '\0') return 0;  // the empty list reads as zero
        if (!is_digit(text[0])) return std::nullopt;
        if (text[0] == '0' && text[1] == '0') return std::nullopt;  // a bit string
        // span is a number leaf's length; 0 for a huge one (slow path).
        std::string_view digits(text, span_of(t));
        if (digits == "0") return 0;
        std::optional<std::int64_t> value;
        if (text[0] == '0') {
            value = short_decimal(digits.substr(std::min<std::size_t>(1, digits.size())));
            if (value) return -*value;
        } else if ((value = short_decimal(digits))) {
            return value;
        }
    }
    return checked_int_value(TermRef(const_cast<Term*>(t)));
}

std::optional<std::int64_t> exact_integer_argument(const Term* t) {
    if (std::optional<std::int64_t> small = small_integer(t)) return small;
    std::optional<std::int64_t> value = integer_argument(t);
    if (!value) return std::nullopt;
    // Wider values wrapped: the decimal text tells them apart.
    std::optional<Bytes> text = checked_decimal_text(TermRef(const_cast<Term*>(t)));
    if (!text || *text != leaf_view(int_term(*value).get())) return std::nullopt;
    return value;
}

std::optional<double> float_argument(const Term* t) {
    if (classify(t) != ValueKind::real) return std::nullopt;
    double value;
    std::memcpy(&value, leaf_chars(t) + 1, sizeof value);
    return value;
}

std::optional<const char*> readable_address(const Term* t) {
    switch (classify(t)) {
        case ValueKind::post: return counted_payload(t).data();
        case ValueKind::zits:
            if (!is_leaf_cell(t)) return std::nullopt;
            return leaf_chars(t);
        case ValueKind::hint: {
            std::optional<std::int64_t> address = integer_argument(t);
            if (!address) return std::nullopt;
            return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(*address));
        }
        default: return std::nullopt;
    }
}

std::optional<char*> writable_address(Term* t) {
    switch (classify(t)) {
        case ValueKind::post: {
            // The payload begins right after the ")" of the cell's own text.
            std::string_view payload = counted_payload(t);
            return reinterpret_cast<char*>(t + 1) + (payload.data() - leaf_chars(t));
        }
        case ValueKind::hint: {
            std::optional<std::int64_t> address = integer_argument(t);
            if (!address) return std::nullopt;
            return reinterpret_cast<char*>(static_cast<std::uintptr_t>(*address));
        }
        default: return std::nullopt;
    }
}

namespace {

// The NUL-terminated text at `address`, copied through the kernel up to one
// page end at a time (a page is readable whole or not at all), so that
// memory this process cannot read gives nothing instead of a fault. Where
// the kernel refuses the call itself (a sandbox may), the rest is read
// directly, as C would read it.
std::optional<Bytes> checked_c_string(const char* address) {
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    std::vector<char> chunk(page);
    Bytes text;
    auto at = reinterpret_cast<std::uintptr_t>(address);
    for (;;) {
        std::size_t room = page - at % page;
        iovec local{chunk.data(), room};
        iovec remote{reinterpret_cast<void*>(at), room};
        ssize_t got = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
        if (got <= 0) {
            if (got < 0 && errno != EFAULT) return text + reinterpret_cast<const char*>(at);
            return std::nullopt;
        }
        auto n = static_cast<std::size_t>(got);
        if (const void* nul = std::memchr(chunk.data(), '\0', n)) {
            text.append(chunk.data(), static_cast<const char*>(nul) - chunk.data());
            return text;
        }
        text.append(chunk.data(), n);
        at += n;
    }
}

}  // namespace

std::optional<Bytes> text_argument(const Term* t) {
    switch (classify(t)) {
        case ValueKind::post: return Bytes(counted_payload(t));
        case ValueKind::zits: return zits_text(t);
        case ValueKind::hint: {
            std::optional<const char*> address = readable_address(t);
            if (!address || *address == nullptr) return std::nullopt;
            return checked_c_string(*address);
        }
        default: return std::nullopt;
    }
}

// Left to right over the leaves of the data tree, with an explicit stack of
// right parts still to visit.
Bytes zits_text(const Term* t) {
    Bytes text;
    std::vector<const Term*> later;
    for (;;) {
        while (!is_leaf_cell(t)) {
            later.push_back(right_cell(t));
            t = left_cell(t);
        }
        text.append(bracket_inner(t));
        if (later.empty()) return text;
        t = later.back();
        later.pop_back();
    }
}

TermRef integer_result(std::int64_t value) {
    return int_term(value);
}
TermRef unsigned_result(std::uint64_t value) {
    return uint_term(value);
}

TermRef float_result(double value) {
    char text[9];
    text[0] = ' ';
    std::memcpy(text + 1, &value, sizeof value);
    return leaf_term(std::string_view(text, sizeof text));
}

TermRef pointer_result(const void* address) {
    return uint_term(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(address)));
}

}  // namespace vesk
