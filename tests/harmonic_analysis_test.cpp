#include "analysis/harmonic_analysis.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FormPoints, SumsGroupsExactlyAndDropsTheRemainder) {
  const std::vector<uint8_t> bytes = {200, 200, 56, 56, 255, 255, 0, 0, 9, 9};
  cplx points[max_points];
  const int32_t n = form_points(sample_view{bytes, true}, 1, 9, 3, points);
  ASSERT_EQ(n, 3);  // samples 1..9; sample 10 is not used
  EXPECT_EQ(points[0].re, 200 + 56 + 56);
  EXPECT_EQ(points[1].re, 255 + 255 + 0);
  EXPECT_EQ(points[2].re, 0 + 9 + 9);
  EXPECT_EQ(points[2].im, 0.0);

  const std::vector<uint8_t> wide = {0x00, 0x80, 0x00, 0x80, 0xFF, 0x7F};  // -32768, -32768, 32767
  ASSERT_EQ(form_points(sample_view{wide, false}, 0, 3, 3, points), 1);
  EXPECT_EQ(points[0].re, -32769.0);
}

TEST(MeasureSpectrum, PeakIncludesBinZeroAndUnmeasuredHarmonicsAreSilent) {
  const cplx transform[] = {{-5, 0}, {3, 4}, {0, -2}};
  const spectrum s = measure_spectrum(transform, 3);
  EXPECT_EQ(s.magnitude[0], 5.0);
  EXPECT_EQ(s.magnitude[1], 5.0);
  EXPECT_EQ(s.magnitude[2], 2.0);
  EXPECT_EQ(s.peak, 5.0);
  EXPECT_EQ(s.harmonic(3), 0.0);
  EXPECT_EQ(s.harmonic(4096), 0.0);
  EXPECT_EQ(harmonic_level(s, 2), 117);  // ratio 0.4
  EXPECT_EQ(harmonic_level(s, 3), 0);

  const cplx silence[] = {{0, 0}, {0, 0}};
  const spectrum quiet = measure_spectrum(silence, 2);
  EXPECT_EQ(quiet.peak, 0.0);
  EXPECT_EQ(harmonic_level(quiet, 1), 0);  // 0/0
}

TEST(HarmonicTable, EightEntriesToALine) {
  spectrum s;
  s.points = 20;
  s.peak = 1.0;
  s.magnitude.fill(0.0);
  s.magnitude[1] = 1.0;
  s.magnitude[2] = 0.5;
  const struct {
    int32_t trunc;
    std::string table;
  } cases[] = {
      {0, "harmonics:\n"},
      {-8, "harmonics:\n"},
      {-3, "harmonics:\n\n"},
      {2, "harmonics:\n    1:127    2:119\n"},
      {8, "harmonics:\n    1:127    2:119    3:  0    4:  0    5:  0    6:  0    7:  0    8:  0\n"},
      {10, "harmonics:\n    1:127    2:119    3:  0    4:  0    5:  0    6:  0    7:  0    8:  0\n"
           "    9:  0   10:  0\n"},
      {16, "harmonics:\n    1:127    2:119    3:  0    4:  0    5:  0    6:  0    7:  0    8:  0\n"
           "    9:  0   10:  0   11:  0   12:  0   13:  0   14:  0   15:  0   16:  0\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(harmonic_table(s, c.trunc), c.table) << c.trunc;
}

TEST(HarmonicTable, WideNumbersKeepTheirColumnsAndHarmonicNIsSilent) {
  spectrum s;
  s.points = 4096;
  s.peak = 1.0;
  s.magnitude.fill(1.0);
  const std::string table = harmonic_table(s, 4096);
  EXPECT_EQ(table.substr(table.size() - 19), " 4095:127 4096:  0\n");
  EXPECT_EQ(table.size(), 11 + 4096 * 9 + 4096 / 8);
}

}  // namespace
