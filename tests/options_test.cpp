#include "cli/exit_status.hpp"
#include "cli/options.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

option_parse parse(std::vector<std::string> args) {
  args.insert(args.begin(), "partigen");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return options(static_cast<int>(argv.size()), argv.data());
}

TEST(ParseNumber, ConvertsLikeAtoiButSaturates) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"100", 100},          {"12abc", 12},          {"x", 0},
      {"", 0},               {"-5", -5},             {"+7", 7},
      {"  \t42", 42},        {"--5", 0},             {"+-5", 0},
      {"99999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
      {"2147483647", INT32_MAX},  {"2147483648", INT32_MAX},
      {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN},
      {"000000000000000000000000000012", 12},
      {"123456789012345678901234567890", INT32_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_number(c.text), c.value) << '"' << c.text << '"';
}

TEST(Options, DefaultsHoldWithoutOptions) {
  const option_parse p = parse({"in.wav"});
  ASSERT_EQ(p.result, option_parse::outcome::run);
  EXPECT_EQ(p.first_positional, 1);
  EXPECT_EQ(p.options.o_verbose, 0);
  EXPECT_EQ(p.options.o_begin, 0);
  EXPECT_EQ(p.options.o_end, 0);
  EXPECT_EQ(p.options.o_length, 0);
  EXPECT_EQ(p.options.o_quant, 1);
  EXPECT_EQ(p.options.o_trunc, 64);
}

TEST(Options, SetsEachValueField) {
  const option_parse p = parse({"-b10", "-e20", "-q3", "-t16", "-l5", "-verbose", "in.wav", "x.ka1", "more"});
  ASSERT_EQ(p.result, option_parse::outcome::run);
  EXPECT_EQ(p.first_positional, 7);
  EXPECT_EQ(p.options.o_begin, 10);
  EXPECT_EQ(p.options.o_end, 20);
  EXPECT_EQ(p.options.o_quant, 3);
  EXPECT_EQ(p.options.o_trunc, 16);
  EXPECT_EQ(p.options.o_length, 5);
  EXPECT_EQ(p.options.o_verbose, 1);
}

TEST(Options, LaterValueOverwritesEarlier) {
  EXPECT_EQ(parse({"-b10", "-b20", "in.wav"}).options.o_begin, 20);
}

TEST(Options, OnlyTheFirstLetterCounts) {
  const option_parse p = parse({"-vq", "in.wav"});
  EXPECT_EQ(p.options.o_verbose, 1);
  EXPECT_EQ(p.options.o_quant, 1);
  EXPECT_EQ(parse({"-help"}).result, option_parse::outcome::help);
  EXPECT_EQ(parse({"-tall", "in.wav"}).options.o_trunc, 0);
}

TEST(Options, StopsAtTheFirstNonOption) {
  const option_parse p = parse({"in.wav", "-v"});
  EXPECT_EQ(p.first_positional, 1);
  EXPECT_EQ(p.options.o_verbose, 0);
  EXPECT_EQ(parse({"-v"}).first_positional, 2);
}

TEST(Options, FirstErrorEndsParsing) {
  const struct {
    std::vector<std::string> args;
    option_parse::outcome result;
    int code;
  } cases[] = {
      {{"-"}, option_parse::outcome::usage_error, usage_code::short_argument},
      {{""}, option_parse::outcome::usage_error, usage_code::short_argument},
      {{"a"}, option_parse::outcome::usage_error, usage_code::short_argument},
      {{"-b"}, option_parse::outcome::usage_error, usage_code::missing_begin},
      {{"-b", "100"}, option_parse::outcome::usage_error, usage_code::missing_begin},
      {{"-e"}, option_parse::outcome::usage_error, usage_code::missing_end},
      {{"-q"}, option_parse::outcome::usage_error, usage_code::missing_quant},
      {{"-t"}, option_parse::outcome::usage_error, usage_code::missing_trunc},
      {{"-l"}, option_parse::outcome::usage_error, usage_code::missing_length},
      {{"-x5"}, option_parse::outcome::usage_error, usage_code::unknown_option},
      {{"-x", "-h"}, option_parse::outcome::usage_error, usage_code::unknown_option},
      {{"-h", "-x"}, option_parse::outcome::help, 0},
      {{"-b", "-h"}, option_parse::outcome::usage_error, usage_code::missing_begin},
      {{"-v", "-h", "in.wav"}, option_parse::outcome::help, 0},
  };
  for (const auto& c : cases) {
    const option_parse p = parse(c.args);
    EXPECT_EQ(p.result, c.result) << testing::PrintToString(c.args);
    EXPECT_EQ(p.usage_code, c.code) << testing::PrintToString(c.args);
  }
}

TEST(Options, UnknownOptionKeepsItsWholeText) {
  EXPECT_EQ(parse({"-V"}).unknown_option, "V");
  EXPECT_EQ(parse({"--v"}).unknown_option, "-v");
  const std::string long_text(300, 'z');
  EXPECT_EQ(parse({"-" + long_text}).unknown_option, long_text);
}

}  // namespace
