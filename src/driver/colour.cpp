#include "driver/colour.hpp"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace vesk {

namespace {

bool set_and_not_empty(const char* value) {
    return value != nullptr && value[0] != '\0';
}

}  // namespace

bool colour_wanted(const ColourInputs& inputs) {
    std::string_view explicit_choice = inputs.vesk_color == nullptr ? "" : inputs.vesk_color;
    if (explicit_choice == "always") return true;
    if (explicit_choice == "never") return false;
    if (set_and_not_empty(inputs.no_color)) return false;
    if (inputs.term != nullptr && std::string_view(inputs.term) == "dumb") return false;
    return inputs.stderr_is_terminal;
}

bool colour_for_standard_error() {
    ColourInputs inputs;
    inputs.vesk_color = std::getenv("VESK_COLOR");
    inputs.no_color = std::getenv("NO_COLOR");
    inputs.term = std::getenv("TERM");
    inputs.stderr_is_terminal = ::isatty(STDERR_FILENO) == 1;
    return colour_wanted(inputs);
}

}  // namespace vesk
