// The J list of bracket data, fully expanded: J (list of init) (list of
// last), down to K for every empty text.
//
// Unwinding that definition for a leaf gives a left-nested list built from
// the left: start from K, and for each element e in turn wrap the list so far
// as J (so far) (list of e). A group's own list is built the same way, so one
// pass with a stack of unfinished lists (one per open group) does the whole
// leaf. A single byte's list is the list of its bracket numeral, built once
// per byte value and shared. Pairs of data are walked with a work stack, and
// a cell met twice is listed once.
#include <array>
#include <map>
#include <vector>

#include "engine/unfold.hpp"

namespace vesk {

namespace {

struct ListBuilder {
    TermRef j{"J"};
    TermRef empty{"K"};
    std::array<std::optional<TermRef>, 256> byte_lists;
    std::map<const Term*, TermRef> done;
};

TermRef cons(const ListBuilder& b, TermRef init, TermRef last) {
    return make_pair(make_pair(b.j, std::move(init)), std::move(last));
}

// For each byte of text[1, end): true when it is a bracket with a partner.
std::vector<bool> partnered(std::string_view text, std::size_t end) {
    std::vector<bool> mark(end, false);
    std::vector<std::size_t> open;
    for (std::size_t i = 1; i < end; ++i) {
        if (text[i] == '[') open.push_back(i);
        if (text[i] == ']' && !open.empty()) {
            mark[i] = true;
            mark[open.back()] = true;
            open.pop_back();
        }
    }
    return mark;
}

TermRef text_list(ListBuilder& b, std::string_view text);

const TermRef& byte_list(ListBuilder& b, unsigned char byte) {
    if (!b.byte_lists[byte]) b.byte_lists[byte] = text_list(b, byte_numeral(byte));
    return *b.byte_lists[byte];
}

// A numeral holds only balanced brackets, so byte_list's call back into
// here never goes deeper than one level.
// The text's first byte opens it whatever it holds: a program may have
// written over a bracket leaf's "[".
TermRef text_list(ListBuilder& b, std::string_view text) {
    VESK_ASSERT(!text.empty());
    std::size_t end = text.size();
    if (end >= 2 && text[end - 1] == ']') --end;
    std::vector<bool> mark = partnered(text, end);
    std::vector<TermRef> open{b.empty};
    for (std::size_t i = 1; i < end; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '[' && mark[i]) {
            open.push_back(b.empty);
        } else if (c == ']' && mark[i]) {
            TermRef group = std::move(open.back());
            open.pop_back();
            open.back() = cons(b, std::move(open.back()), std::move(group));
        } else {
            open.back() = cons(b, std::move(open.back()), byte_list(b, c));
        }
    }
    VESK_ASSERT(open.size() == 1);
    return std::move(open.front());
}

void list_cell(ListBuilder& b, const Term* cell) {
    if (is_leaf_cell(cell)) {
        b.done.emplace(cell, text_list(b, leaf_view(cell)));
        return;
    }
    const TermRef& l = b.done.at(left_cell(cell));
    const TermRef& r = b.done.at(right_cell(cell));
    b.done.emplace(cell, cons(b, l, r));
}

}  // namespace

TermRef bracket_list(const TermRef& data) {
    VESK_ASSERT(is_pair(data) || leaf_kind(data.cell) == LeafKind::bracket);
    ListBuilder b;
    // Post-order: a pair is listed once both its children are.
    std::vector<std::pair<const Term*, bool>> todo{{data.cell, false}};
    while (!todo.empty()) {
        auto [cell, children_done] = todo.back();
        todo.pop_back();
        if (b.done.count(cell) != 0) continue;
        if (is_leaf_cell(cell) || children_done) {
            list_cell(b, cell);
            continue;
        }
        todo.push_back({cell, true});
        todo.push_back({right_cell(cell), false});
        todo.push_back({left_cell(cell), false});
    }
    return b.done.at(data.cell);
}

}  // namespace vesk
