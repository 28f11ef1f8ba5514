#include "output/resynthesis.hpp"
#include "support/run_program.hpp"
#include "support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

spectrum with_magnitudes(std::vector<double> magnitudes) {
  spectrum s;
  s.points = static_cast<int32_t>(magnitudes.size());
  for (std::size_t k = 0; k < magnitudes.size(); ++k) s.magnitude[k] = magnitudes[k];
  return s;
}

std::vector<int16_t> samples_of(const spectrum& s, int32_t trunc, int32_t count) {
  const double total = resynthesis_total(s, trunc);
  std::vector<int16_t> samples;
  for (int32_t i = 0; i < count; ++i) samples.push_back(resynthesis_sample(s, trunc, total, i, count));
  return samples;
}

TEST(Resynthesis, WorkedSampleValues) {
  const struct {
    const char* what;
    std::vector<double> magnitudes;  // bins 0..
    int32_t trunc, count;
    std::vector<int16_t> samples;
  } cases[] = {
      {"one partial, count 4", {9, 1, 0, 0, 0}, 3, 4, {0, 32767, 0, -32767}},
      {"two partials scale by the total", {9, 1, 1, 0, 0}, 3, 4, {0, 16383, 0, -16383}},
      {"one partial, count 8", {9, 1, 0, 0, 0}, 3, 8, {0, 23169, 32767, 23169, 0, -23169, -32767, -23169}},
      {"no partials", {9, 1, 0, 0, 0}, 0, 3, {0, 0, 0}},
      {"silent partials", {9, 0, 0, 0, 0}, 3, 3, {0, 0, 0}},
      {"unmeasured partials add nothing", {9, 1}, 3, 4, {0, 32767, 0, -32767}},
  };
  for (const auto& c : cases) EXPECT_EQ(samples_of(with_magnitudes(c.magnitudes), c.trunc, c.count), c.samples) << c.what;
}

TEST(Resynthesis, NeverLeavesTheSixteenBitRange) {
  std::vector<double> magnitudes(64, 1.0);
  for (const int16_t sample : samples_of(with_magnitudes(magnitudes), 63, 500)) {
    EXPECT_GE(sample, -32767);
    EXPECT_LE(sample, 32767);
  }
}

TEST(DumpWave, WritesHeaderThenSamples) {
  temp_dir dir;
  ASSERT_TRUE(dump_wave(with_magnitudes({9, 1, 0, 0, 0}), 4, 3, dir.file("out.wav")));
  wav_builder expected = wav_builder::pcm16({0, 32767, 0, -32767});
  EXPECT_EQ(read_file(dir.file("out.wav")), expected.bytes());  // RIFF size 44, data size 8
}

TEST(DumpWave, ReportsFilesThatCannotBeWritten) {
  temp_dir dir;
  std::filesystem::create_directory(dir.path() / "out.wav");
  EXPECT_FALSE(dump_wave(with_magnitudes({1, 1}), 4, 1, dir.file("out.wav")));
  EXPECT_FALSE(dump_wave(with_magnitudes({1, 1}), 4, 1, "/dev/full"));
}

}  // namespace
