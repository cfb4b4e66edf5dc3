// Start-up of a large program: a generated source of 5,000 definitions and
// about 1 MB, loaded after the prelude and then checked. Each definition is
// written the way people write them: multi-letter parameters, a let, a
// pattern let, a quote and calls into the next definition, so every pass
// has work. Prints the best of a few runs for loading and for the checks.
#include <chrono>
#include <cstdio>
#include <string>

#include "checks/check_program.hpp"
#include "checks/sharing.hpp"
#include "runtime/definitions.hpp"
#include "builtins/families.hpp"
#include "runtime/runtime.hpp"
#include "runtime/prelude.hpp"

namespace {

constexpr int kDefinitions = 5000;

// A lower-case name for index i (digits cannot be part of a name).
std::string name_of(int i) {
    std::string name = "fn";
    for (int k = 0; k < 4; ++k, i /= 26) name += static_cast<char>('a' + i % 26);
    return name;
}

std::string definition(int i) {
    std::string next = i + 1 < kDefinitions ? name_of(i + 1) : "K";
    return "," + name_of(i) + "\\items\\total\\count\\" + "pair{V items total}first rest{pair}" +
           "step{V(first K)(rest H)}" + "V(" + next +
           " first rest count)(K(total `(items total)) step)" +
           "(S K K(V count items)(B(C V total)first rest))" +
           "(D step first rest(E items total count first rest))";
}

std::string program() {
    std::string text = name_of(0) + " 1 2 3";
    for (int i = 0; i < kDefinitions; ++i) text += definition(i);
    return text;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    using namespace vesk;
    Runtime runtime;
    install_builtins(runtime);
    auto rt = [&runtime]() -> Runtime& { return runtime; };
    std::string text = program();
    double best_load = 1e9;
    double best_check = 1e9;
    std::size_t globals = 0;
    std::size_t shared = 0;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        load_prelude(rt());
        Outcome loaded = load_definitions(rt(), text);
        double load = seconds_since(start);
        if (!is_check(loaded)) {
            std::printf("loading failed: %s\n", loaded.say.c_str());
            return 1;
        }
        start = std::chrono::steady_clock::now();
        Outcome checked = check_program(rt());
        double check = seconds_since(start);
        if (!is_check(checked)) {
            std::printf("checks failed: %s %s\n", checked.code.c_str(), checked.say.c_str());
            return 1;
        }
        if (load < best_load) best_load = load;
        if (check < best_check) best_check = check;
        globals = rt().globals.size();
        shared = rt().sharing.used;
    }
    std::printf("checks_startup: %zu bytes, %d definitions (%zu globals)\n", text.size(),
                kDefinitions, globals);
    std::printf("  load  %7.1f ms\n  check %7.1f ms  (%zu shared values kept)\n", best_load * 1e3,
                best_check * 1e3, shared);
    std::printf("  total %7.1f ms\n", (best_load + best_check) * 1e3);
    return 0;
}
