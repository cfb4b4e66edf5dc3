#include "builtins/host_values.hpp"

#include "terms/leaf_text.hpp"

namespace vesk {

std::optional<const char*> c_string(const Term* t) {
    std::optional<const char*> address = readable_address(t);
    if (!address || *address == nullptr) return std::nullopt;
    return address;
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

std::optional<void*> raw_address(const Term* t) {
    std::optional<std::int64_t> value = integer_argument(t);
    if (!value) return std::nullopt;
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(*value));
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
