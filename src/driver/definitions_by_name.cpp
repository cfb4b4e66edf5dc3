#include "driver/definitions_by_name.hpp"

#include <algorithm>
#include <string_view>

namespace vesk {

namespace {

// Whether each definition (in name order) names a key of `table`, by one
// walk of both in step; calls `found` for each that does.
template <typename Table, typename Found>
void each_defined(const Table& table, const std::vector<ParsedDefinition*>& by_name, Found found) {
    auto at = table.begin();
    for (ParsedDefinition* d : by_name) {
        std::string_view name = d->name;
        while (at != table.end() && std::string_view(at->first) < name) ++at;
        if (at == table.end()) return;
        if (std::string_view(at->first) == name) found(*d);
    }
}

}  // namespace

std::vector<ParsedDefinition*> definitions_by_name(ParsedProgram& program) {
    std::vector<ParsedDefinition*> all;
    all.reserve(program.definitions.size());
    for (ParsedDefinition& d : program.definitions) all.push_back(&d);
    std::stable_sort(
        all.begin(), all.end(),
        [](const ParsedDefinition* a, const ParsedDefinition* b) { return a->name < b->name; });
    return all;
}

std::vector<ParsedDefinition*> last_of_each_name(const std::vector<ParsedDefinition*>& by_name) {
    std::vector<ParsedDefinition*> last;
    last.reserve(by_name.size());
    for (std::size_t i = 0; i < by_name.size(); ++i) {
        if (i + 1 == by_name.size() || by_name[i + 1]->name != by_name[i]->name) {
            last.push_back(by_name[i]);
        }
    }
    return last;
}

bool defines_any(const GlobalTable& globals, const std::vector<ParsedDefinition*>& by_name) {
    bool any = false;
    each_defined(globals, by_name, [&](const ParsedDefinition&) { any = true; });
    return any;
}

Outcome first_refusal(const Runtime& rt, const ParsedProgram& program,
                      const std::vector<ParsedDefinition*>& by_name) {
    // Definitions lie in one vector in text order: the first refusal is the
    // one at the least address.
    const ParsedDefinition* first = nullptr;
    auto note = [&](const ParsedDefinition& d) {
        if (first == nullptr || &d < first) first = &d;
    };
    for (const ParsedDefinition& d : program.definitions) {
        if (is_variable_name(d.name) || is_binder_name(d.name)) {
            note(d);
            break;
        }
    }
    each_defined(rt.builtins, by_name, note);
    if (first == nullptr) return Outcome{};
    ParsedProgram one{TermRef("}"), {}, nullptr};
    one.definitions.push_back(
        ParsedDefinition{first->name, first->body, first->uncached, first->position});
    return refusal_of(rt, one);
}

}  // namespace vesk
