#include "checks/alive.hpp"

#include <map>
#include <set>

#include "checks/free_names.hpp"
#include "front/tip_text.hpp"

namespace vesk {

bool check_alive(const GlobalTable& globals, Outcome& out) {
    return check_alive(globals, free_names_of(globals), out);
}

bool check_alive(const GlobalTable& globals, const NameUses& uses, Outcome& out) {
    // waiting name -> the global that referred to it
    std::map<Bytes, Bytes, std::less<>> frontier{{"", "nowhere"}};
    std::set<Bytes, std::less<>> visited;
    while (!frontier.empty()) {
        auto first = frontier.begin();
        Bytes name = first->first;
        Bytes referrer = first->second;
        frontier.erase(first);
        visited.insert(name);
        auto definition = globals.find(name);
        if (definition == globals.end()) {
            Bytes shown = referrer.empty() ? Bytes("TOP") : referrer;
            out.code = "alive";
            out.say = "Alive function " + shown + " references undefined " + name + ".";
            out.vip = tip_text(shown);
            out.tip = tip_text(name);
            return false;
        }
        for (const Bytes& used : uses.at(name)) {
            if (visited.count(used) == 0) frontier[used] = name;
        }
    }
    return true;
}

}  // namespace vesk
