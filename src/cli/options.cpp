#include "cli/options.hpp"

#include "cli/exit_status.hpp"

#include <cstring>

int32_t parse_number(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  // Accumulate the magnitude, stopping once it passes the int32 range so the
  // value never overflows however many digits follow.
  constexpr int64_t limit = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (*p - '0');
  }
  if (negative) return magnitude >= limit ? INT32_MIN : static_cast<int32_t>(-magnitude);
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

namespace {

struct value_option {
  char letter;
  int32_t option_record::*field;
  int missing_code;
};

constexpr value_option value_options[] = {
    {'b', &option_record::o_begin, usage_code::missing_begin},
    {'e', &option_record::o_end, usage_code::missing_end},
    {'q', &option_record::o_quant, usage_code::missing_quant},
    {'t', &option_record::o_trunc, usage_code::missing_trunc},
    {'l', &option_record::o_length, usage_code::missing_length},
};

option_parse usage_error(option_parse parse, int code) {
  parse.result = option_parse::outcome::usage_error;
  parse.usage_code = code;
  return parse;
}

}  // namespace

option_parse options(int argc, const char* const* argv) {
  option_parse parse;
  int index = 1;
  for (; index < argc; ++index) {
    const char* arg = argv[index];
    // The length test comes before the dash test: a one-character input
    // name in this position is a usage error too.
    if (arg[0] == '\0' || arg[1] == '\0') return usage_error(parse, usage_code::short_argument);
    if (arg[0] != '-') break;
    const char* text = arg + 1;
    const char letter = text[0];
    if (letter == 'v') {
      parse.options.o_verbose = 1;
      continue;
    }
    if (letter == 'h') {
      parse.result = option_parse::outcome::help;
      return parse;
    }
    const value_option* match = nullptr;
    for (const value_option& option : value_options) {
      if (option.letter == letter) match = &option;
    }
    if (match == nullptr) {
      parse.unknown_option = text;
      return usage_error(parse, usage_code::unknown_option);
    }
    if (text[1] == '\0') return usage_error(parse, match->missing_code);
    parse.options.*(match->field) = parse_number(text + 1);
  }
  parse.first_positional = index;
  return parse;
}
