#include "checks/free_names.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "checks/binders.hpp"
#include "front/names.hpp"

namespace vesk {

namespace {

// The walk keeps the names bound around the current cell as counts, and
// numbers the scopes it enters so that a shared cell met again in the same
// scope is not walked twice. Entering a binder with one owner always opens
// a new scope (it can be entered only once from its one parent); entering a
// shared binder from a given scope always gives the same number.
enum class Step : std::uint8_t { visit, bind, unbind };

struct Task {
    Step step;
    Term* cell;           // the cell to visit, or the bound leaf to (un)bind
    std::uint64_t scope;  // visit only
};

// The names bound around the current cell. Binders nest in walk order
// (bind, body, unbind), so a stack holds them. A lookup scans the stack
// while it is shallow, which is nearly always; once it is deeper a count
// of each name, kept beside it, answers, so deep nesting stays linear.
struct BoundStack {
    static constexpr std::size_t kShallow = 16;
    std::vector<std::string_view> names;
    std::unordered_map<std::string_view, int> counts;  // all of names, only while deep

    void bind(std::string_view name) {
        names.push_back(name);
        if (names.size() == kShallow + 1) {
            for (std::string_view n : names) ++counts[n];
        } else if (names.size() > kShallow + 1) {
            ++counts[name];
        }
    }
    void unbind() {
        if (names.size() == kShallow + 1) {
            counts.clear();
        } else if (names.size() > kShallow + 1) {
            auto at = counts.find(names.back());
            if (--at->second == 0) counts.erase(at);
        }
        names.pop_back();
    }
    bool holds(std::string_view name) const {
        if (names.size() > kShallow) return counts.count(name) != 0;
        // The parser gives all places of a text one leaf, so a use nearly
        // always views the very bytes of its binder; the texts are compared
        // only when no view is the same.
        for (std::string_view n : names) {
            if (n.data() == name.data() && n.size() == name.size()) return true;
        }
        for (std::string_view n : names) {
            if (n.size() == name.size() && n[0] == name[0] && n == name) return true;
        }
        return false;
    }
};

// Names are views into the leaves of the term, which outlives the walk; a
// bracketed bound part "[+]" is viewed at its middle byte. Free names are
// gathered, with the repeats that a short list does not catch, and sorted
// once at the end.
struct NameWalk {
    static constexpr std::size_t kFewFound = 32;
    std::vector<std::string_view> found;
    BoundStack bound;
    std::uint64_t next_scope = 1;
    std::map<std::pair<std::uint64_t, const Term*>, std::uint64_t> shared_scopes;
    std::set<std::pair<const Term*, std::uint64_t>> seen;
    std::vector<Task> todo;
    std::array<const Term*, 64> found_cells{};  // leaf cells found free, direct-mapped
    std::array<const Term*, 64> plain_cells{};  // leaf cells that are no names, the same way
    Term* funky = nullptr;                      // the first binder of no name met
    bool gather_bound = true;                   // off when only the free names are wanted
    BoundNames binds;

    std::uint64_t inner_scope(std::uint64_t outer, const Term* binder) {
        if (refs_of(binder) <= 1) return next_scope++;
        auto [at, fresh] = shared_scopes.try_emplace({outer, binder}, next_scope);
        if (fresh) ++next_scope;
        return at->second;
    }

    // Pushes, to run in this order: bind, body, unbind. A let's value comes
    // before them all, outside the binder's scope: the caller visits it next.
    void enter_binder(Term* binder, Term* bound_leaf, std::uint64_t scope) {
        todo.push_back({Step::unbind, bound_leaf, 0});
        todo.push_back({Step::visit, binder_body(binder), inner_scope(scope, binder)});
        todo.push_back({Step::bind, bound_leaf, 0});
    }

    // A definition uses a few names many times over: while the list is
    // short a repeat is dropped as it is met, which leaves little to sort.
    // The parser gives all places of a name one leaf, and a leaf cell found
    // free once adds nothing when met again, bound there or not: a small
    // table of such cells answers most leaves at once.
    void visit_leaf(const Term* leaf) {
        std::size_t at = (reinterpret_cast<std::uintptr_t>(leaf) >> 3) % 64;
        const Term*& known = found_cells[at];
        if (known == leaf || plain_cells[at] == leaf) return;
        // A bound name is a name leaf's text, so the cheaper test comes first.
        std::string_view text = leaf_view(leaf);
        if (bound.holds(text)) return;
        if (text == "{" || text == "\\" || !is_name_leaf(text)) {
            plain_cells[at] = leaf;
            return;
        }
        known = leaf;
        if (found.size() <= kFewFound) {
            for (std::string_view n : found) {
                if (n.data() == text.data() && n.size() == text.size()) return;
            }
            for (std::string_view n : found) {
                if (n.size() == text.size() && n[0] == text[0] && n == text) return;
            }
        }
        found.push_back(text);
    }

    // A binder whose bound part is no name is the funky check's find (the
    // first met) and is read on as plain application. Returns the cell to
    // visit next in the same scope, so that a left child or a let's value is
    // walked without a trip through the stack; null when the next comes
    // from the stack.
    Term* visit(Term* cell, std::uint64_t scope) {
        if (is_leaf_cell(cell)) {
            visit_leaf(cell);
            return nullptr;
        }
        if (refs_of(cell) > 1 && !seen.insert({cell, scope}).second) return nullptr;
        bool lambda = is_lambda_cell(cell);
        if (lambda || is_let_cell(cell)) {
            Term* bound_part = lambda ? lambda_bound(cell) : let_bound(cell);
            if (is_name_binder(bound_part)) {
                note_bound(bound_name(bound_part));
                enter_binder(cell, bound_part, scope);
                return lambda ? nullptr : let_value(cell);
            }
            if (funky == nullptr) funky = cell;
        }
        todo.push_back({Step::visit, right_cell(cell), scope});
        return left_cell(cell);
    }

    // Bound names in the order first met; past 26 they cannot all have a
    // letter, and the 27th is the last noted.
    void note_bound(std::string_view name) {
        if (!gather_bound || binds.renamed.size() + binds.letters.size() > 26) return;
        bool letter = name.size() == 1 && name[0] >= 'a' && name[0] <= 'z';
        std::vector<Bytes>& list = letter ? binds.letters : binds.renamed;
        for (const Bytes& n : list)
            if (n == name) return;
        list.emplace_back(name);
    }

    void run(Term* root) {
        todo.push_back({Step::visit, root, 0});
        while (!todo.empty()) {
            Task task = todo.back();
            todo.pop_back();
            if (task.step == Step::visit) {
                for (Term* next = task.cell; next != nullptr;) next = visit(next, task.scope);
                continue;
            }
            if (task.step == Step::bind) {
                bound.bind(bound_name(task.cell));
            } else {
                bound.unbind();
            }
        }
    }
};

// The facts of `term` through `walk`, which is left empty for the next
// term (its stacks keep their room: a table's definitions reuse one walk).
TermFacts collect_facts(NameWalk& walk, const TermRef& term) {
    walk.run(term.get());
    std::sort(walk.found.begin(), walk.found.end());
    walk.found.erase(std::unique(walk.found.begin(), walk.found.end()), walk.found.end());
    TermFacts facts;
    facts.free.reserve(walk.found.size());
    for (std::string_view name : walk.found) facts.free.emplace_back(name);
    if (walk.funky != nullptr) facts.funky.emplace(walk.funky);
    facts.bound = std::move(walk.binds);
    walk.found.clear();
    walk.shared_scopes.clear();
    walk.seen.clear();
    walk.next_scope = 1;
    walk.funky = nullptr;
    walk.binds = BoundNames{};
    walk.found_cells.fill(nullptr);
    walk.plain_cells.fill(nullptr);
    return facts;
}

}  // namespace

TermFacts term_facts(const TermRef& term) {
    NameWalk walk;
    return collect_facts(walk, term);
}

std::vector<TermFacts> all_term_facts(const GlobalTable& definitions) {
    std::vector<TermFacts> all;
    all.reserve(definitions.size());
    NameWalk walk;
    for (const auto& entry : definitions) all.push_back(collect_facts(walk, entry.second));
    return all;
}

NameList free_name_set(const TermRef& term) {
    return term_facts(term).free;
}

NameUses free_names_of(const GlobalTable& definitions) {
    NameUses uses;
    NameWalk walk;
    walk.gather_bound = false;
    for (const auto& [name, term] : definitions)
        uses.emplace_hint(uses.end(), name, collect_facts(walk, term).free);
    return uses;
}

TermRef name_list(const NameList& names) {
    TermRef list = leaf_term("()");
    for (auto at = names.rbegin(); at != names.rend(); ++at) {
        list = make_pair(leaf_term(*at), std::move(list));
    }
    return list;
}

TermRef free_names(const TermRef& term) {
    return name_list(free_name_set(term));
}

}  // namespace vesk
