#include "cli/driver.hpp"

int main(int argc, char** argv) { return partigen_main(argc, argv); }
