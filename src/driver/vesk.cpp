// Process entry of vesk: everything happens in run_main (driver/run.hpp).
#include "driver/run.hpp"

int main(int argc, char** argv) {
    return vesk::run_main(argc, argv);
}
