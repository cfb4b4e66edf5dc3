#include "checks/platform_layout.hpp"

#include <dirent.h>
#include <netdb.h>
#include <sys/select.h>
#include <sys/socket.h>

#include <cstddef>
#include <ctime>
#include <string>
#include <utility>

namespace vesk {

std::vector<LayoutEntry> place_fields(const LayoutRecord& record) {
    std::vector<LayoutEntry> entries{{"", record.size, 0}};
    for (const LayoutField& field : record.fields) {
        std::size_t end = field.offset + field.width;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const LayoutEntry gap = entries[i];
            if (!gap.name.empty() || field.offset < gap.offset || end > gap.offset + gap.width) {
                continue;
            }
            std::vector<LayoutEntry> pieces;
            if (field.offset > gap.offset)
                pieces.push_back({"", field.offset - gap.offset, gap.offset});
            pieces.push_back({field.name, field.width, field.offset});
            if (gap.offset + gap.width > end)
                pieces.push_back({"", gap.offset + gap.width - end, end});
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(i), pieces.begin(),
                           pieces.end());
            break;
        }
    }
    return entries;
}

Bytes record_text(const LayoutRecord& record) {
    Bytes text = "[" + record.name;
    for (const LayoutEntry& entry : place_fields(record)) {
        text += "[" + entry.name + "[" + std::to_string(entry.width) + "]]";
    }
    return text + "]";
}

namespace {

// One field of a host record: its name as written, its size and offset.
#define VESK_LAYOUT_FIELD(Type, member)                                        \
    LayoutField {                                                              \
#member, sizeof(std::declval <Type&>().member), offsetof(Type, member) \
    }

std::vector<LayoutField> addrinfo_fields() {
    return {VESK_LAYOUT_FIELD(addrinfo, ai_flags),     VESK_LAYOUT_FIELD(addrinfo, ai_family),
            VESK_LAYOUT_FIELD(addrinfo, ai_socktype),  VESK_LAYOUT_FIELD(addrinfo, ai_protocol),
            VESK_LAYOUT_FIELD(addrinfo, ai_addrlen),   VESK_LAYOUT_FIELD(addrinfo, ai_addr),
            VESK_LAYOUT_FIELD(addrinfo, ai_canonname), VESK_LAYOUT_FIELD(addrinfo, ai_next)};
}

// Only d_ino and d_name are required of every system; the others are listed
// when the host's record has them (Linux has no d_namlen, for instance). The
// tests are templates so that a missing member drops out instead of failing
// to compile.
template <typename Entry>
std::vector<LayoutField> dirent_fields() {
    std::vector<LayoutField> fields{VESK_LAYOUT_FIELD(Entry, d_ino)};
    if constexpr (requires(Entry & e) { e.d_off; }) {
        fields.push_back(VESK_LAYOUT_FIELD(Entry, d_off));
    }
    if constexpr (requires(Entry & e) { e.d_namlen; }) {
        fields.push_back(VESK_LAYOUT_FIELD(Entry, d_namlen));
    }
    if constexpr (requires(Entry & e) { e.d_reclen; }) {
        fields.push_back(VESK_LAYOUT_FIELD(Entry, d_reclen));
    }
    if constexpr (requires(Entry & e) { e.d_type; }) {
        fields.push_back(VESK_LAYOUT_FIELD(Entry, d_type));
    }
    fields.push_back(VESK_LAYOUT_FIELD(Entry, d_name));
    return fields;
}

#undef VESK_LAYOUT_FIELD

}  // namespace

std::vector<LayoutRecord> host_layout_records() {
    return {{"addrinfo", sizeof(addrinfo), addrinfo_fields()},
            {"dirent", sizeof(dirent), dirent_fields<dirent>()},
            {"fd_set", sizeof(fd_set), {}},
            {"size_t", sizeof(std::size_t), {}},
            {"socklen_t", sizeof(socklen_t), {}},
            {"time_t", sizeof(std::time_t), {}}};
}

Bytes layout_text() {
    Bytes text = "[";
    for (const LayoutRecord& record : host_layout_records()) text += record_text(record);
    return text + "]";
}

void add_layout_global(GlobalTable& globals) {
    globals.insert_or_assign("_", leaf_term(layout_text()));
}

}  // namespace vesk
