#include "checks/local.hpp"

#include <cstdint>

#include "diagnostics/picture.hpp"
#include "engine/annotate.hpp"

namespace vesk {

bool check_local(const GlobalTable& globals, Outcome& out) {
    for (const auto& [name, term] : globals) {
        std::uint32_t free = variable_set(globals, term);
        if (free == 0) continue;
        int first = 0;
        while ((free & (std::uint32_t{1} << first)) == 0) ++first;
        Bytes letter(1, static_cast<char>('a' + first));
        out.code = "local";
        if (name.empty()) {
            out.say = "Local variable " + letter + " unbound.";
        } else {
            out.say = "Local variable " + letter + " unbound in function " + name + ".";
            out.vip = excerpt(name);
        }
        return false;
    }
    return true;
}

}  // namespace vesk
