// Process entry of vesk: see driver/run.hpp for the sequence of stages.
int main() { return 0; }
