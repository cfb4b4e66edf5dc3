#include "checks/sharing.hpp"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "checks/walk.hpp"
#include "engine/annotate.hpp"

namespace vesk {

namespace {

// Entries are found through a structural hash: a leaf hashes its text (a
// counted leaf its payload, which is what compare_terms compares), a pair
// the hashes of its children. Because children are made shared before their
// parent, equal terms meet in the same bucket and a compare_cells there
// settles equality, usually at once since equal children are the same cells.
// A hash map rather than an ordered one: a program has hundreds of thousands
// of subterms and an ordered search would compare deep terms at every level.
using SharingTable = std::unordered_multimap<std::uint64_t, TermRef>;

SharingTable& sharing_table() {
    static SharingTable table;
    return table;
}

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9u;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebu;
    return x ^ (x >> 31);
}

std::uint64_t leaf_hash(const Term* leaf) {
    std::string_view text = leaf_view(leaf);
    std::uint64_t h = 0xcbf29ce484222325u;
    if (first_byte(leaf) == '(') {
        text = text.substr(text.find(')') + 1);
        h ^= 0x5a;
    }
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return mix(h);
}

std::uint64_t pair_hash(std::uint64_t left, std::uint64_t right) {
    return mix(left * 0x9e3779b97f4a7c15u + (right ^ 0x632be59bd9b4e019u));
}

struct Shared {
    TermRef term;
    std::uint64_t hash;
};

// The table's entry equal to `candidate` (consumed), entering it if none is.
TermRef intern(TermRef candidate, std::uint64_t hash) {
    SharingTable& table = sharing_table();
    auto [first, last] = table.equal_range(hash);
    for (auto at = first; at != last; ++at) {
        if (compare_cells(at->second.get(), candidate.get()) == 0) return at->second;
    }
    table.emplace(hash, candidate);
    return candidate;
}

}  // namespace

// The rebuild walk of walk.hpp, carrying each result's hash beside it.
TermRef share_term(TermRef term) {
    struct Frame {
        Term* cell;
        bool children_done;
        bool shared;
    };
    std::vector<Frame> todo{{term.get(), false, false}};
    std::vector<Shared> done;
    std::unordered_map<const Term*, Shared> remembered;
    while (!todo.empty()) {
        Frame frame = todo.back();
        todo.pop_back();
        Term* cell = frame.cell;
        if (is_leaf_cell(cell)) {
            std::uint64_t hash = leaf_hash(cell);
            done.push_back({intern(TermRef(cell), hash), hash});
        } else if (!frame.children_done) {
            bool shared = refs_of(cell) > 1;
            auto found = shared ? remembered.find(cell) : remembered.end();
            if (found != remembered.end()) {
                done.push_back(found->second);
                continue;
            }
            todo.push_back({cell, true, shared});
            todo.push_back({right_cell(cell), false, false});
            todo.push_back({left_cell(cell), false, false});
        } else {
            Shared right = std::move(done.back());
            done.pop_back();
            Shared left = std::move(done.back());
            done.pop_back();
            std::uint64_t hash = pair_hash(left.hash, right.hash);
            TermRef pair = keep_or_pair(cell, std::move(left.term), std::move(right.term));
            Shared out{intern(std::move(pair), hash), hash};
            if (frame.shared) remembered.emplace(cell, out);
            done.push_back(std::move(out));
        }
    }
    return std::move(done.back().term);
}

void clear_sharing_table() {
    sharing_table().clear();
}

void keep_shared_values() {
    SharingTable& table = sharing_table();
    for (auto at = table.begin(); at != table.end();) {
        at = is_value(at->second) ? std::next(at) : table.erase(at);
    }
}

std::size_t sharing_table_size() {
    return sharing_table().size();
}

void share_definitions(GlobalTable& globals) {
    clear_sharing_table();
    for (auto& entry : globals) entry.second = share_term(std::move(entry.second));
    keep_shared_values();
}

}  // namespace vesk
