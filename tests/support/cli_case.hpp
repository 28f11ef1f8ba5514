#pragma once

#include "support/run_program.hpp"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// One command-line run: the files to lay out in a fresh directory, the
// arguments, and the exit status and exact output expected.
struct cli_case {
  std::string name;
  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<std::string> args;
  int status = 0;
  std::string out;
  std::string err;
};

// Runs the case in `dir` (which it fills with the case's files) and checks
// status and both streams byte for byte. Returns the result for further
// checks of the files left behind.
program_result expect_cli(const cli_case& c, const temp_dir& dir);

// Runs each case in a directory of its own.
void expect_cli(const std::vector<cli_case>& cases);

// The harmonic table for these levels of harmonics 1, 2, ...: eight
// "%5d:%3d" entries to a line.
std::string table_of(const std::vector<int>& levels);

// The usage error text for a code, as the program prints it.
std::string usage_error(int code);
