#include "support/cli_case.hpp"

#include <gtest/gtest.h>

namespace {

const std::string help_screen =
    "partigen version 0.1\n"
    "usage: partigen [options] foo.wav [bar.ka1]\n"
    "-h:  print this help\n"
    "-bN: sample point to begin with (default 0)\n"
    "-eN: sample point to end with (default begin+100)\n"
    "-tN: truncate at N harmonics (default 64)\n"
    "-v:  be verbose (print harmonics and all sample data)\n";

TEST(CommandLine, UsageErrorsHelpAndMissingInput) {
  const std::string long_option(300, 'y');
  expect_cli({
      {"no argument", {}, {}, 1, "", usage_error(1)},
      {"help", {}, {"-h"}, 1, "", help_screen},
      {"help after options", {}, {"-v", "-b5", "-help", "in.wav"}, 1, "", help_screen},
      {"help before an unknown option", {}, {"-h", "-x"}, 1, "", help_screen},
      {"unknown option", {}, {"-x5", "in.wav"}, 20, "", "x5\n" + usage_error(20)},
      {"unknown before help", {}, {"-x", "-h"}, 20, "", "x\n" + usage_error(20)},
      {"capital V", {}, {"-V"}, 20, "", "V\n" + usage_error(20)},
      {"double dash", {}, {"--v"}, 20, "", "-v\n" + usage_error(20)},
      {"long unknown option", {}, {"-" + long_option}, 20, "", long_option + "\n" + usage_error(20)},
      {"lone dash", {}, {"-"}, 2, "", usage_error(2)},
      {"empty argument", {}, {""}, 2, "", usage_error(2)},
      {"one-character input name", {}, {"a"}, 2, "", usage_error(2)},
      {"-b without value", {}, {"-b"}, 4, "", usage_error(4)},
      {"detached value", {}, {"-b", "100", "in.wav"}, 4, "", usage_error(4)},
      {"-b before help", {}, {"-b", "-h"}, 4, "", usage_error(4)},
      {"-e without value", {}, {"-e"}, 5, "", usage_error(5)},
      {"-q without value", {}, {"-q"}, 6, "", usage_error(6)},
      {"-t without value", {}, {"-t"}, 7, "", usage_error(7)},
      {"-l without value", {}, {"-l"}, 8, "", usage_error(8)},
      {"options use up every argument", {}, {"-v"}, 2, "", "could not open input file\n"},
      {"missing input", {}, {"-v", "none.wav", "x.ka1"}, 2, "", "could not open input file\n"},
      {"input is a directory's missing file", {}, {"no/such.wav"}, 2, "", "could not open input file\n"},
      {"input is a directory", {}, {".."}, 2, "", "could not open input file\n"},
  });
}

}  // namespace
