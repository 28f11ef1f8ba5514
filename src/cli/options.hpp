#pragma once

#include <cstdint>
#include <string>

// The option record: what the command line asked for. The driver completes
// o_end and o_ka1_file; every later stage only reads it.
struct option_record {
  int32_t o_verbose = 0;
  int32_t o_begin = 0;
  int32_t o_end = 0;     // 0: no end given, the driver computes one
  int32_t o_length = 0;  // read only when o_end is 0
  int32_t o_quant = 1;
  int32_t o_trunc = 64;
  std::string o_ka1_file;  // empty: no ka1 file is patched
};

// What parsing the options came to.
struct option_parse {
  enum class outcome { run, usage_error, help };
  outcome result = outcome::run;
  int usage_code = 0;           // with usage_error
  std::string unknown_option;   // with usage_error 20: the option text after the dash
  int first_positional = 0;     // with run: index of the input file name (argc if none)
  option_record options;
};

// Decimal conversion as atoi does it, but saturating to the int32 range
// instead of overflowing.
int32_t parse_number(const char* text);

// Parses argv[1..] strictly from left to right; the first error or -h ends
// parsing. Never prints and never exits.
option_parse options(int argc, const char* const* argv);
