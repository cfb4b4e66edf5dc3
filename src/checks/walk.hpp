// Rebuilding a term bottom-up without recursion. Every pass that rewrites
// definitions goes through here, so no pass nests on the C stack as deep as
// the program's source.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "terms/term.hpp"

namespace vesk {

// Frames a rebuild walk makes room for before it starts.
inline constexpr std::size_t kWalkRoom = 32;

// The pair (left right) as a term: the original cell itself when both
// children came back as its own children, otherwise a new pair. `original`
// is borrowed; `left` and `right` are consumed.
[[nodiscard]] inline TermRef keep_or_pair(Term* original, TermRef left, TermRef right) {
    if (left.get() == left_cell(original) && right.get() == right_cell(original)) {
        return TermRef(original);
    }
    return make_pair(std::move(left), std::move(right));
}

// Folds `root` (borrowed) children first. A result is a plain value that
// may own references: `leaf_fn(Term* leaf)` gives a leaf's, `pair_fn(Term*
// pair, Result left, Result right)` a pair's from its children's (consumed).
// A cell with more than one owner is folded once; `copy(const Result&)`
// gives each later place a result of its own, and the one kept for those
// places is given back with `drop(Result&)` at the end.
//
// Only pairs take a frame, holding their children's results as they come; a
// leaf is folded where it is met, and the walk goes down left children
// without a trip through the stack.
template <typename Result, typename LeafFn, typename PairFn, typename CopyFn, typename DropFn>
[[nodiscard]] Result fold_term(Term* root, LeafFn&& leaf_fn, PairFn&& pair_fn, CopyFn&& copy,
                               DropFn&& drop) {
    struct Frame {
        Term* cell;
        Result results[2];
        std::uint8_t side;  // the child under way: 0 the left, 1 the right
        bool shared;
    };
    // Room for a definition's usual depth at once, not by doubling.
    std::vector<Frame> todo;
    todo.reserve(kWalkRoom);
    std::unordered_map<const Term*, Result> remembered;
    Result result{};  // the result of the subterm just finished
    Term* cell = root;
    for (;;) {
        if (is_leaf_cell(cell)) {
            result = leaf_fn(cell);
        } else {
            bool shared = refs_of(cell) > 1;
            auto found = shared ? remembered.find(cell) : remembered.end();
            if (found == remembered.end()) {
                todo.push_back({cell, {}, 0, shared});
                cell = left_cell(cell);
                continue;
            }
            result = copy(found->second);
        }
        // Up through the frames the result completes, to a right child to start.
        while (!todo.empty()) {
            Frame& top = todo.back();
            top.results[top.side] = result;
            if (top.side == 0) {
                top.side = 1;
                cell = right_cell(top.cell);
                break;
            }
            Frame frame = top;
            todo.pop_back();
            result = pair_fn(frame.cell, frame.results[0], frame.results[1]);
            if (frame.shared) remembered.emplace(frame.cell, copy(result));
        }
        if (todo.empty()) break;
    }
    for (auto& entry : remembered) drop(entry.second);
    return result;
}

// Rebuilds `root` (borrowed) children first. `leaf_fn(Term* leaf)` gives the
// new term for a leaf; `pair_fn(Term* original, TermRef left, TermRef right)`
// gives the new term for a pair from its rebuilt children (consumed). A
// shared graph costs its distinct cells, not its unfolded tree.
template <typename LeafFn, typename PairFn>
[[nodiscard]] TermRef rebuild_term(const TermRef& root, LeafFn&& leaf_fn, PairFn&& pair_fn) {
    // A result is an owned cell.
    auto leaf = [&](Term* cell) { return leaf_fn(cell).take(); };
    auto pair = [&](Term* cell, Term* left, Term* right) {
        return pair_fn(cell, TermRef::adopt(left), TermRef::adopt(right)).take();
    };
    auto copy = [](Term* cell) {
        retain(cell);
        return cell;
    };
    auto drop = [](Term* cell) { release(cell); };
    return TermRef::adopt(fold_term<Term*>(root.get(), leaf, pair, copy, drop));
}

// Rewrites `root` (borrowed) children first where a rule applies, and keeps
// every part that no rule touched as the very cell it was. `rule_at(pair)`
// says whether a rule rewrites that pair (borrowed) when its children come
// back as they were; `pair_fn(Term* original, TermRef left, TermRef right)`
// gives the new term of such a pair, and of every pair with a changed child
// (children consumed). Leaves are never rewritten.
//
// A result is a new term, or null for "the subterm as it was": the parts
// of a program that hold nothing to rewrite, nearly all of it, cost a visit
// each and no reference counting or rebuilding.
template <typename RuleAt, typename PairFn>
[[nodiscard]] TermRef rewrite_changed(const TermRef& root, RuleAt&& rule_at, PairFn&& pair_fn) {
    // A result is an owned new cell, or null for the subterm as it was.
    auto leaf_fn = [](Term*) -> Term* { return nullptr; };
    auto changed_pair = [&](Term* pair, Term* left, Term* right) -> Term* {
        if (left == nullptr && right == nullptr && !rule_at(pair)) return nullptr;
        TermRef out = pair_fn(pair, left ? TermRef::adopt(left) : TermRef(left_cell(pair)),
                              right ? TermRef::adopt(right) : TermRef(right_cell(pair)));
        return out.get() == pair ? nullptr : out.take();
    };
    auto copy = [](Term* cell) {
        if (cell != nullptr) retain(cell);
        return cell;
    };
    auto drop = [](Term* cell) {
        if (cell != nullptr) release(cell);
    };
    Term* out = fold_term<Term*>(root.get(), leaf_fn, changed_pair, copy, drop);
    return out != nullptr ? TermRef::adopt(out) : root;
}

}  // namespace vesk
