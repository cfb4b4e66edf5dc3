#include "checks/platform_layout.hpp"

#include <dirent.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <sys/select.h>
#include <sys/socket.h>

#include <cstddef>
#include <ctime>
#include <string>

namespace vesk {
namespace {

TEST(PlaceFields, FieldsSplitGapsAndComeOutInOffsetOrder) {
    LayoutRecord record{"rec", 16, {{"b", 4, 8}, {"a", 2, 0}, {"c", 2, 14}}};
    EXPECT_EQ(record_text(record), "[rec[a[2]][[6]][b[4]][[2]][c[2]]]");
    std::vector<LayoutEntry> entries = place_fields(record);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].name, "");
    EXPECT_EQ(entries[1].offset, 2u);
    EXPECT_EQ(entries[3].offset, 12u);
}

TEST(PlaceFields, EmptyRecordsAndExactFitsLeaveNoEmptyGaps) {
    EXPECT_EQ(record_text({"size_t", 8, {}}), "[size_t[[8]]]");
    EXPECT_EQ(record_text({"whole", 4, {{"w", 4, 0}}}), "[whole[w[4]]]");
    EXPECT_EQ(record_text({"pair", 8, {{"hi", 4, 4}, {"lo", 4, 0}}}), "[pair[lo[4]][hi[4]]]");
}

TEST(PlaceFields, AFieldInNoSingleGapIsLeftOut) {
    // "overlap" crosses the field "a"; "past" runs beyond the record.
    LayoutRecord record{"r", 8, {{"a", 4, 2}, {"overlap", 4, 0}, {"past", 4, 6}, {"z", 2, 6}}};
    EXPECT_EQ(record_text(record), "[r[[2]][a[4]][z[2]]]");
}

// The layout text read back: record name -> entries, in text order.
struct ReadRecord {
    std::string name;
    std::vector<LayoutEntry> entries;
};

std::vector<ReadRecord> read_layout(const std::string& text) {
    std::vector<ReadRecord> records;
    std::size_t at = 1;  // past the opening '['
    while (text[at] == '[') {
        std::size_t name_end = text.find('[', at + 1);
        ReadRecord record{text.substr(at + 1, name_end - at - 1), {}};
        at = name_end;
        std::size_t offset = 0;
        while (text[at] == '[') {
            std::size_t open = text.find('[', at + 1);
            std::size_t close = text.find(']', open);
            std::size_t width = std::stoul(text.substr(open + 1, close - open - 1));
            record.entries.push_back({text.substr(at + 1, open - at - 1), width, offset});
            offset += width;
            at = close + 2;  // past "]]"
        }
        records.push_back(record);
        ++at;  // past the record's ']'
    }
    EXPECT_EQ(at + 1, text.size());
    return records;
}

const LayoutEntry* entry_named(const ReadRecord& record, const std::string& name) {
    for (const LayoutEntry& entry : record.entries) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

std::size_t total_width(const ReadRecord& record) {
    std::size_t total = 0;
    for (const LayoutEntry& entry : record.entries) total += entry.width;
    return total;
}

#define EXPECT_FIELD(record, Type, member)                                        \
    do {                                                                          \
        const LayoutEntry* found = entry_named(record, #member);                  \
        ASSERT_NE(found, nullptr) << #member;                                     \
        EXPECT_EQ(found->width, sizeof(std::declval<Type&>().member)) << #member; \
        EXPECT_EQ(found->offset, offsetof(Type, member)) << #member;              \
    } while (0)

TEST(HostLayout, RecordsMatchTheHostHeaders) {
    std::vector<ReadRecord> records = read_layout(layout_text());
    ASSERT_EQ(records.size(), 6u);
    const char* names[] = {"addrinfo", "dirent", "fd_set", "size_t", "socklen_t", "time_t"};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(records[i].name, names[i]);

    const ReadRecord& info = records[0];
    EXPECT_EQ(total_width(info), sizeof(addrinfo));
    EXPECT_FIELD(info, addrinfo, ai_flags);
    EXPECT_FIELD(info, addrinfo, ai_family);
    EXPECT_FIELD(info, addrinfo, ai_socktype);
    EXPECT_FIELD(info, addrinfo, ai_protocol);
    EXPECT_FIELD(info, addrinfo, ai_addrlen);
    EXPECT_FIELD(info, addrinfo, ai_addr);
    EXPECT_FIELD(info, addrinfo, ai_canonname);
    EXPECT_FIELD(info, addrinfo, ai_next);

    const ReadRecord& dir = records[1];
    EXPECT_EQ(total_width(dir), sizeof(dirent));
    EXPECT_FIELD(dir, dirent, d_ino);
    EXPECT_FIELD(dir, dirent, d_name);
#ifdef __linux__
    EXPECT_FIELD(dir, dirent, d_off);
    EXPECT_FIELD(dir, dirent, d_reclen);
    EXPECT_FIELD(dir, dirent, d_type);
    EXPECT_EQ(entry_named(dir, "d_namlen"), nullptr);
#endif

    EXPECT_EQ(records[2].entries.size(), 1u);
    EXPECT_EQ(total_width(records[2]), sizeof(fd_set));
    EXPECT_EQ(total_width(records[3]), sizeof(std::size_t));
    EXPECT_EQ(total_width(records[4]), sizeof(socklen_t));
    EXPECT_EQ(total_width(records[5]), sizeof(std::time_t));
}

TEST(HostLayout, GapsAreUnnamedAndNeverEmpty) {
    for (const ReadRecord& record : read_layout(layout_text())) {
        for (std::size_t i = 0; i < record.entries.size(); ++i) {
            EXPECT_GT(record.entries[i].width, 0u) << record.name;
            if (i > 0) {
                EXPECT_FALSE(record.entries[i].name.empty() && record.entries[i - 1].name.empty())
                    << "two gaps in a row in " << record.name;
            }
        }
    }
}

TEST(HostLayout, TheGlobalIsABracketLeafThatReplacesADefinition) {
    GlobalTable globals;
    globals.emplace("_", leaf_term("5"));
    add_layout_global(globals);
    const TermRef& layout = globals.at("_");
    ASSERT_FALSE(is_pair(layout));
    EXPECT_EQ(first_char(layout), '[');
    EXPECT_EQ(leaf_text(layout), layout_text());
}

}  // namespace
}  // namespace vesk
