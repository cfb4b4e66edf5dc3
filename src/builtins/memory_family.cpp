// Raw memory: five stems of eight, named stem + letter. The letter gives
// direction and width (h i j k read 1 2 4 8 bytes, l m n o write them), the
// stem the place:
//   ref  a raw address, read or written as raw_ranges.hpp allows
//   red  a leaf's text after its first byte
//   rem  a post's payload
//   rel  a post's payload, a negative index counting from the end
//   rec  a zits's stored text, a negative index counting from the end
// Values are little-endian at any alignment; reads are unsigned, writes
// store the value's low bits. Every offset of red, rem, rel and rec must
// lie inside the bytes it names, or the result is "Z".
//
// A write never changes a cell where it lies: the changed bytes go into a
// new post or bracket leaf, so every other holder keeps the old value. A
// count of one on the argument would not prove the call its only holder:
// a partial application such as (rell p 0) is a value the program may bind
// and use twice, and then p hangs, counted once, under a shared pair.
#include <cstring>

#include "builtins/host_families.hpp"
#include "builtins/host_values.hpp"
#include "builtins/raw_ranges.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

namespace {

std::uint64_t load_le(const char* at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(at[i]);
    }
    return value;
}

void store_le(char* at, std::size_t width, std::uint64_t value) {
    for (std::size_t i = 0; i < width; ++i) {
        at[i] = static_cast<char>(value & 0xff);
        value >>= 8;
    }
}

// An index into `length` bytes for a `width`-byte access: from the end when
// negative and `from_end`; empty when the bytes do not all lie inside.
std::optional<std::size_t> fit(std::int64_t index, std::size_t length, std::size_t width,
                               bool from_end) {
    if (index < 0 && from_end) index += static_cast<std::int64_t>(length);
    if (index < 0 || width > length) return std::nullopt;
    auto at = static_cast<std::size_t>(index);
    if (at > length - width) return std::nullopt;
    return at;
}

// ---- ref ---------------------------------------------------------------------

// The address must allow the access (raw_ranges.hpp), else "Z".
TermRef ref_read(Call& c, std::size_t width) {
    std::optional<void*> at = nonnull_address(c.args[0]);
    if (!at || !range_allowed(c.rt.host, *at, width, Access::read)) return c.fail();
    return unsigned_result(load_le(static_cast<const char*>(*at), width));
}

TermRef ref_write(Call& c, std::size_t width) {
    std::optional<void*> at = nonnull_address(c.args[0]);
    std::optional<std::int64_t> value = int_arg(c, 1);
    if (!at || !value || !range_allowed(c.rt.host, *at, width, Access::write)) return c.fail();
    store_le(static_cast<char*>(*at), width, static_cast<std::uint64_t>(*value));
    return c.unit();
}

// ---- posts: red, rem and rel -------------------------------------------------

// The post of the call's first argument with `width` bytes at payload
// byte `at` replaced by the value's low bits.
TermRef post_write(Call& c, std::size_t at, std::size_t width, std::uint64_t value) {
    Bytes copy(counted_payload(c.args[0]));
    store_le(copy.data() + at, width, value);
    return counted_leaf(copy);
}

// Where red's offset falls: any leaf's text after its first byte.
TermRef red_read(Call& c, std::size_t width) {
    std::optional<std::int64_t> index = int_arg(c, 1);
    const Term* t = c.args[0];
    if (!index || !is_leaf_cell(t)) return c.fail();
    std::optional<std::size_t> at = fit(*index, leaf_length(t) - 1, width, false);
    if (!at) return c.fail();
    return unsigned_result(load_le(leaf_chars(t) + 1 + *at, width));
}

// red writes reach only a post's payload: the other leaves' texts are code
// and numbers the machine reads back, and a post's head names its length.
TermRef red_write(Call& c, std::size_t width) {
    std::optional<std::int64_t> index = int_arg(c, 1);
    std::optional<std::int64_t> value = int_arg(c, 2);
    if (!index || !value || classify(c.args[0]) != ValueKind::post || *index < 0) {
        return c.fail();
    }
    std::string_view payload = counted_payload(c.args[0]);
    // Text offset *index + 1 must lie in the payload, which starts at `head`.
    auto head = static_cast<std::int64_t>(payload.data() - leaf_chars(c.args[0]));
    std::optional<std::size_t> at = fit(*index + 1 - head, payload.size(), width, false);
    if (*index + 1 < head || !at) return c.fail();
    return post_write(c, *at, width, static_cast<std::uint64_t>(*value));
}

// rem (from_end false) and rel (true).
TermRef post_read(Call& c, std::size_t width, bool from_end) {
    std::optional<std::int64_t> index = int_arg(c, 1);
    if (!index || classify(c.args[0]) != ValueKind::post) return c.fail();
    std::string_view payload = counted_payload(c.args[0]);
    std::optional<std::size_t> at = fit(*index, payload.size(), width, from_end);
    if (!at) return c.fail();
    return unsigned_result(load_le(payload.data() + *at, width));
}

TermRef post_store(Call& c, std::size_t width, bool from_end) {
    std::optional<std::int64_t> index = int_arg(c, 1);
    std::optional<std::int64_t> value = int_arg(c, 2);
    if (!index || !value || classify(c.args[0]) != ValueKind::post) return c.fail();
    std::size_t length = counted_payload(c.args[0]).size();
    std::optional<std::size_t> at = fit(*index, length, width, from_end);
    if (!at) return c.fail();
    return post_write(c, *at, width, static_cast<std::uint64_t>(*value));
}

// ---- zits: rec ---------------------------------------------------------------

// "[" counts +1, "]" -1.
int bracket_sum(std::string_view bytes) {
    int sum = 0;
    for (char b : bytes) sum += (b == '[') - (b == ']');
    return sum;
}

TermRef rec_read(Call& c, std::size_t width) {
    std::optional<std::int64_t> index = int_arg(c, 1);
    if (!index || classify(c.args[0]) != ValueKind::zits) return c.fail();
    Bytes text = zits_text(c.args[0]);
    std::optional<std::size_t> at = fit(*index, text.size(), width, true);
    if (!at) return c.fail();
    return unsigned_result(load_le(text.data() + *at, width));
}

// The changed text becomes a new bracket leaf. The bytes written
// must keep the count of "[" less "]" of the bytes they replace, and the
// whole text must still nest, or no bracket leaf could hold it.
TermRef rec_write(Call& c, std::size_t width) {
    std::optional<std::int64_t> index = int_arg(c, 1);
    std::optional<std::int64_t> value = int_arg(c, 2);
    if (!index || !value || classify(c.args[0]) != ValueKind::zits) return c.fail();
    Bytes text = zits_text(c.args[0]);
    std::optional<std::size_t> at = fit(*index, text.size(), width, true);
    if (!at) return c.fail();
    int before = bracket_sum(std::string_view(text).substr(*at, width));
    store_le(text.data() + *at, width, static_cast<std::uint64_t>(*value));
    if (bracket_sum(std::string_view(text).substr(*at, width)) != before) return c.fail();
    if (!brackets_balance(text)) return c.fail();
    return bracket_leaf(text);
}

constexpr std::uint8_t kHost = touches_host;

constexpr BuiltinRow kMemoryRows[] = {
    {"refh", 1, kHost, [](Call& c) { return ref_read(c, 1); }},
    {"refi", 1, kHost, [](Call& c) { return ref_read(c, 2); }},
    {"refj", 1, kHost, [](Call& c) { return ref_read(c, 4); }},
    {"refk", 1, kHost, [](Call& c) { return ref_read(c, 8); }},
    {"refl", 2, kHost, [](Call& c) { return ref_write(c, 1); }},
    {"refm", 2, kHost, [](Call& c) { return ref_write(c, 2); }},
    {"refn", 2, kHost, [](Call& c) { return ref_write(c, 4); }},
    {"refo", 2, kHost, [](Call& c) { return ref_write(c, 8); }},
    {"redh", 2, pure_effect, [](Call& c) { return red_read(c, 1); }},
    {"redi", 2, pure_effect, [](Call& c) { return red_read(c, 2); }},
    {"redj", 2, pure_effect, [](Call& c) { return red_read(c, 4); }},
    {"redk", 2, pure_effect, [](Call& c) { return red_read(c, 8); }},
    {"redl", 3, pure_effect, [](Call& c) { return red_write(c, 1); }},
    {"redm", 3, pure_effect, [](Call& c) { return red_write(c, 2); }},
    {"redn", 3, pure_effect, [](Call& c) { return red_write(c, 4); }},
    {"redo", 3, pure_effect, [](Call& c) { return red_write(c, 8); }},
    {"remh", 2, pure_effect, [](Call& c) { return post_read(c, 1, false); }},
    {"remi", 2, pure_effect, [](Call& c) { return post_read(c, 2, false); }},
    {"remj", 2, pure_effect, [](Call& c) { return post_read(c, 4, false); }},
    {"remk", 2, pure_effect, [](Call& c) { return post_read(c, 8, false); }},
    {"reml", 3, pure_effect, [](Call& c) { return post_store(c, 1, false); }},
    {"remm", 3, pure_effect, [](Call& c) { return post_store(c, 2, false); }},
    {"remn", 3, pure_effect, [](Call& c) { return post_store(c, 4, false); }},
    {"remo", 3, pure_effect, [](Call& c) { return post_store(c, 8, false); }},
    {"relh", 2, pure_effect, [](Call& c) { return post_read(c, 1, true); }},
    {"reli", 2, pure_effect, [](Call& c) { return post_read(c, 2, true); }},
    {"relj", 2, pure_effect, [](Call& c) { return post_read(c, 4, true); }},
    {"relk", 2, pure_effect, [](Call& c) { return post_read(c, 8, true); }},
    {"rell", 3, pure_effect, [](Call& c) { return post_store(c, 1, true); }},
    {"relm", 3, pure_effect, [](Call& c) { return post_store(c, 2, true); }},
    {"reln", 3, pure_effect, [](Call& c) { return post_store(c, 4, true); }},
    {"relo", 3, pure_effect, [](Call& c) { return post_store(c, 8, true); }},
    {"rech", 2, pure_effect, [](Call& c) { return rec_read(c, 1); }},
    {"reci", 2, pure_effect, [](Call& c) { return rec_read(c, 2); }},
    {"recj", 2, pure_effect, [](Call& c) { return rec_read(c, 4); }},
    {"reck", 2, pure_effect, [](Call& c) { return rec_read(c, 8); }},
    {"recl", 3, pure_effect, [](Call& c) { return rec_write(c, 1); }},
    {"recm", 3, pure_effect, [](Call& c) { return rec_write(c, 2); }},
    {"recn", 3, pure_effect, [](Call& c) { return rec_write(c, 4); }},
    {"reco", 3, pure_effect, [](Call& c) { return rec_write(c, 8); }},
};

}  // namespace

const BuiltinFamily kMemoryFamily = {"memory", kMemoryRows};

}  // namespace vesk
