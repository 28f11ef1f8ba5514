#include "cli/stretch.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

option_record with(int32_t begin, int32_t end, int32_t length) {
  option_record options;
  options.o_begin = begin;
  options.o_end = end;
  options.o_length = length;
  return options;
}

TEST(CompleteStretch, FillsTheEndOnlyWhenNoneWasGiven) {
  const struct {
    const char* what;
    option_record options;
    uint32_t data_size;
    uint16_t align;
    int64_t end;
  } cases[] = {
      {"given end stands", with(0, 300, 50), 200, 2, 300},
      {"-e0 with a length", with(10, 0, 50), 200, 2, 60},
      {"-b10 -l100", with(10, 0, 100), 200, 2, 110},
      {"16-bit default", with(0, 0, 0), 200, 2, 99},
      {"default stops at 4095", with(0, 0, 0), 20000, 2, 4095},
      {"default does not follow begin", with(100, 0, 0), 20000, 2, 4095},
      {"8-bit default", with(0, 0, 0), 1000, 1, 999},
      {"empty data", with(0, 0, 0), 0, 2, -1},
      {"alignment 1 counts bytes", with(0, 0, 0), 200, 1, 199},
      {"odd size truncates", with(0, 0, 0), 7, 2, 2},
      {"length past int32", with(INT32_MAX, 0, INT32_MAX), 10, 1, int64_t{INT32_MAX} * 2},
      {"size read as signed", with(0, 0, 0), 0xFFFFFFFEu, 2, -2},
  };
  for (const auto& c : cases) {
    const stretch range = complete_stretch(c.options, c.data_size, c.align);
    EXPECT_EQ(range.begin, c.options.o_begin) << c.what;
    EXPECT_EQ(range.end, c.end) << c.what;
  }
}

TEST(CheckStretch, FirstFailingCheckGivesItsMessage) {
  const auto options = [](int32_t q, int32_t t) {
    option_record o;
    o.o_quant = q;
    o.o_trunc = t;
    return o;
  };
  const struct {
    option_record options;
    stretch range;
    int64_t samples;
    std::optional<std::string> message;
  } cases[] = {
      {options(1, 64), {0, 99}, 100, std::nullopt},
      {options(1, 4096), {0, 4095}, 4096, std::nullopt},
      {options(1, -5), {3, 3}, 4, std::nullopt},
      {options(2, 64), {0, 8191}, 10000, std::nullopt},
      {options(0, 5000), {5, 1}, 0, "-q must be at least 1\n"},
      {options(-3, 64), {0, 9}, 10, "-q must be at least 1\n"},
      {options(1, 4097), {5, 1}, 0, "-t must be at most 4096\n"},
      {options(1, 64), {5, 1}, 0, "stretch 5 to 1 is empty\n"},
      {options(1, 64), {0, -1}, 0, "stretch 0 to -1 is empty\n"},
      {options(1, 64), {-1, 10}, 100, "stretch -1 to 10 lies outside the data (100 samples)\n"},
      {options(1, 64), {0, 100}, 100, "stretch 0 to 100 lies outside the data (100 samples)\n"},
      {options(1, 64), {INT32_MAX, int64_t{INT32_MAX} * 2}, 100,
       "stretch 2147483647 to 4294967294 lies outside the data (100 samples)\n"},
      {options(3, 64), {0, 1}, 100, "stretch of 2 samples makes 0 analysis points, not 1 to 4096\n"},
      {options(1, 64), {0, 4096}, 10000, "stretch of 4097 samples makes 4097 analysis points, not 1 to 4096\n"},
      {options(INT32_MAX, 64), {0, 99}, 100, "stretch of 100 samples makes 0 analysis points, not 1 to 4096\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(check_stretch(c.options, c.range, c.samples), c.message)
        << c.range.begin << ".." << c.range.end << " q " << c.options.o_quant << " t " << c.options.o_trunc;
  }
}

}  // namespace
