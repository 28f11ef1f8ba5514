#pragma once

#include "analysis/harmonic_analysis.hpp"
#include "cli/options.hpp"

// One run after the command line has been parsed: opens and reads the
// input, checks the stretch, analyses it and writes the outputs. Prints
// every message itself and returns the exit status; never exits.
// `input` may be null when no input name is left.
int run(option_record options, const char* input, const char* ka1_name, const run_output& io);

// The whole program as `main` runs it, except that usage errors and the
// help screen end the process through punt and help.
int partigen_main(int argc, const char* const* argv);
