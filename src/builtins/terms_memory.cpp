// post and copy: bytes read from and written to a raw address, as far as
// raw_ranges.hpp allows (an address that does not gives "Z"); counts no
// host could hold are refused too.
#include <cstring>

#include "builtins/arithmetic_parts.hpp"
#include "builtins/raw_ranges.hpp"
#include "builtins/terms_parts.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

// The largest post `post` makes: as many bytes as a text repeated by mult
// may reach.
constexpr std::int64_t kMaxPostBytes = static_cast<std::int64_t>(kMaxRepeatBytes);

// The bytes copy writes for a value: a post's payload, a real's eight bytes,
// a zits's stored text, a number's decimal text. Empty for void and for a
// malformed number.
std::optional<Bytes> written_bytes(Term* v) {
    switch (classify(v)) {
        case ValueKind::post: return Bytes(counted_payload(v));
        case ValueKind::real: return Bytes(leaf_chars(v) + 1, 8);
        case ValueKind::zits:
        case ValueKind::hint:
        case ValueKind::numb: return join_text(operand(v));
        case ValueKind::void_: break;
    }
    return std::nullopt;
}

}  // namespace

TermRef post_handler(Call& call) {
    std::optional<std::int64_t> p = exact_integer_argument(call.args[0]);
    std::optional<std::int64_t> n = exact_integer_argument(call.args[1]);
    if (!p || !n || *n < 0 || *n > kMaxPostBytes) return call.fail();
    if (*n == 0) return counted_leaf("");
    const char* at = *readable_address(call.args[0]);
    if (!range_allowed(call.rt.host, at, static_cast<std::size_t>(*n), Access::read)) {
        return call.fail();
    }
    return counted_leaf(std::string_view(at, static_cast<std::size_t>(*n)));
}

TermRef copy_handler(Call& call) {
    if (classify(call.args[0]) != ValueKind::hint) return call.fail();
    std::optional<char*> at = writable_address(call.args[0]);
    std::optional<Bytes> bytes = written_bytes(call.args[1]);
    if (!at || !bytes) return call.fail();
    if (bytes->empty()) return call.unit();
    if (!exact_integer_argument(call.args[0]) ||
        !range_allowed(call.rt.host, *at, bytes->size(), Access::write)) {
        return call.fail();
    }
    std::memcpy(*at, bytes->data(), bytes->size());
    return call.unit();
}

}  // namespace vesk
