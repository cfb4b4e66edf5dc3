#include "builtins/host_values.hpp"

#include <cstdint>

#include "builtins/raw_ranges.hpp"
#include "terms/leaf_text.hpp"

namespace vesk {

std::optional<const char*> c_string(const Call& call, const Term* t) {
    std::optional<const char*> address = readable_address(t);
    if (!address || *address == nullptr) return std::nullopt;
    if (classify(t) == ValueKind::hint) {
        if (!exact_integer_argument(t)) return std::nullopt;
        if (!text_length(call.rt.host, *address, SIZE_MAX, Access::read)) return std::nullopt;
    }
    return address;
}

std::optional<const char*> counted_data(const Call& call, const Term* t, std::uint64_t bytes) {
    std::optional<const char*> address = readable_address(t);
    if (!address || *address == nullptr) return std::nullopt;
    if (classify(t) != ValueKind::hint) {
        if (reads_past(t, bytes)) return std::nullopt;
        return address;
    }
    if (!exact_integer_argument(t)) return std::nullopt;
    if (!range_allowed(call.rt.host, *address, bytes, Access::read)) return std::nullopt;
    return address;
}

std::optional<std::size_t> count_arg(const Call& call, std::size_t i) {
    std::optional<std::int64_t> n = exact_integer_argument(call.args[i]);
    if (!n || *n < 0) return std::nullopt;
    return static_cast<std::size_t>(*n);
}

std::optional<std::size_t> known_extent(const Term* t) {
    switch (classify(t)) {
        case ValueKind::post: return counted_payload(t).size();
        case ValueKind::zits:
            if (!is_leaf_cell(t)) return std::nullopt;
            return leaf_length(t);
        default: return std::nullopt;
    }
}

std::optional<std::uint32_t> length_arg(const Call& call, std::size_t i) {
    std::optional<std::size_t> n = count_arg(call, i);
    if (!n || *n > static_cast<std::size_t>(INT32_MAX)) return std::nullopt;
    return static_cast<std::uint32_t>(*n);
}

std::optional<void*> raw_address(const Term* t) {
    std::optional<std::int64_t> value = exact_integer_argument(t);
    if (!value) return std::nullopt;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(*value));
}

std::optional<void*> record_arg(const Call& call, std::size_t i, std::size_t size, Access access,
                                bool null_ok) {
    std::optional<void*> address = raw_address(call.args[i]);
    if (!address) return std::nullopt;
    if (*address == nullptr) return null_ok ? address : std::nullopt;
    if (!range_allowed(call.rt.host, *address, size == 0 ? 1 : size, access)) return std::nullopt;
    return address;
}

std::optional<void*> nonnull_address(const Term* t) {
    std::optional<void*> address = raw_address(t);
    if (!address || *address == nullptr) return std::nullopt;
    return address;
}

std::optional<std::FILE*> stream_argument(const Call& call, const Term* t) {
    std::optional<void*> address = raw_address(t);
    if (!address) return std::nullopt;
    auto* stream = static_cast<std::FILE*>(*address);
    if (stream == stdin || stream == stdout || stream == stderr) return stream;
    if (call.rt.host.streams.count(stream) == 0) return std::nullopt;
    return stream;
}

std::optional<void*> directory_argument(const Call& call, const Term* t) {
    std::optional<void*> address = raw_address(t);
    if (!address || call.rt.host.directories.count(*address) == 0) return std::nullopt;
    return address;
}

}  // namespace vesk
