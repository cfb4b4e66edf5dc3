// The layout global "_": a bracket literal describing the C records that
// programs read and write through raw memory (address-information records,
// directory entries, socket sets and a few sizes), taken from the host's own
// headers so that offsets are right for the machine the interpreter runs on.
//
// Text form: "[" records "]"; a record is "[" name entries "]" with its
// entries in offset order; an entry is "[" name "[" width "]]", and an
// unnamed gap of N bytes is "[[" N "]]". Widths are decimal byte counts.
#pragma once

#include <cstddef>
#include <vector>

#include "runtime/globals.hpp"

namespace vesk {

struct LayoutField {
    Bytes name;
    std::size_t width;
    std::size_t offset;
};

// A record and its fields in the order they are entered (not offset order).
struct LayoutRecord {
    Bytes name;
    std::size_t size;
    std::vector<LayoutField> fields;
};

// One entry of a placed record; an empty name is a gap.
struct LayoutEntry {
    Bytes name;
    std::size_t width;
    std::size_t offset;
};

// Places the fields of `record` (borrowed) into a record that starts as one
// gap of its whole size. Each field, in entry order, splits the gap that
// holds its whole byte range into the bytes before it, itself and the bytes
// after it (empty gaps are left out). A field that lies in no single gap
// (it overlaps an earlier field or runs past the end) is left out.
std::vector<LayoutEntry> place_fields(const LayoutRecord& record);

// "[" name entries "]" for the record (borrowed).
Bytes record_text(const LayoutRecord& record);

// The host's records in their fixed order: addrinfo, dirent, fd_set, size_t,
// socklen_t, time_t. A field the host's record lacks is not listed.
std::vector<LayoutRecord> host_layout_records();

// The literal of all host records: "[" record texts "]".
Bytes layout_text();

// Stores the layout literal as a bracket leaf under the name "_", replacing
// whatever was there.
void add_layout_global(GlobalTable& globals);

}  // namespace vesk
