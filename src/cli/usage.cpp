#include "cli/usage.hpp"

#include "cli/exit_status.hpp"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr const char* usage = "usage: partigen [options] foo.wav [bar.ka1]\n";
}

std::string usage_error_text(int code) {
  return std::string(usage) + "partigen -h for a help screen\n" + "code " + std::to_string(code) + "\n";
}

std::string help_text() {
  return std::string("partigen version 0.1\n") + usage +
         "-h:  print this help\n"
         "-bN: sample point to begin with (default 0)\n"
         "-eN: sample point to end with (default begin+100)\n"
         "-tN: truncate at N harmonics (default 64)\n"
         "-v:  be verbose (print harmonics and all sample data)\n";
}

void punt(int code) {
  std::fputs(usage_error_text(code).c_str(), stderr);
  std::exit(code);
}

void help() {
  std::fputs(help_text().c_str(), stderr);
  std::exit(exit_status::help_shown);
}
