#include "test_runtime.hpp"

#include <memory>

#include "builtins/families.hpp"
#include "runtime/definitions.hpp"
#include "runtime/prelude.hpp"

namespace vesk::test {

namespace {

std::unique_ptr<Runtime>& current() {
    static std::unique_ptr<Runtime> runtime;
    return runtime;
}

}  // namespace

Runtime& rt() {
    if (!current()) fresh_runtime();
    return *current();
}

void fresh_runtime() {
    drop_runtime();
    current() = std::make_unique<Runtime>();
    install_builtins(*current());
    load_prelude(*current());
    install_builtin_templates(*current());
}

void empty_runtime() {
    drop_runtime();
    current() = std::make_unique<Runtime>();
}

void drop_runtime() {
    current().reset();
}

}  // namespace vesk::test
