#include "support/cli_case.hpp"
#include "support/wav_builder.hpp"

#include <gtest/gtest.h>

namespace {

using bytes = std::vector<uint8_t>;

bytes repeat(const std::vector<int16_t>& period, int times) {
  std::vector<int16_t> samples;
  for (int i = 0; i < times; ++i) samples.insert(samples.end(), period.begin(), period.end());
  return wav_builder::pcm16(samples).bytes();
}

bytes repeat8(const bytes& period, std::size_t times) {
  bytes samples(period.size() * times);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = period[i % period.size()];
  return wav_builder::pcm8(samples).bytes();
}

std::vector<int> silent(std::size_t count) { return std::vector<int>(count, 0); }

TEST(CommandLine, WorkedAnalyses) {
  const std::string eight_bit_listing =
      "format chunk ...\nchunk size  : 16\nformat tag  : 1\nchannels    : 1\nsamples/sec : 44100\n"
      "bytes/sec   : 44100\nblock align : 1\nbits/sample : 8\ndata chunk ...\nchunk size  : 16\n";
  std::vector<int> mirrored = silent(64);
  mirrored[1] = mirrored[5] = 127;
  std::string dump;
  for (int i = 0; i < 16; ++i) dump += (i < 10 ? "  " : " ") + std::to_string(i) + (i % 4 < 2 ? ": 200\n" : ":  56\n");
  expect_cli({
      {"second harmonic", {{"in.wav", repeat({1000, 0, -1000, 0}, 2)}}, {"-t4", "in.wav"}, 0,
       "harmonics:\n    1:  0    2:127    3:  0    4:  0\n", ""},
      {"one cycle of a sine mirrors into bin N-1", {{"in.wav", repeat({0, 1000, 0, -1000}, 1)}}, {"-t3", "in.wav"}, 0,
       "harmonics:\n    1:127    2:  0    3:127\n", ""},
      {"8-bit sums of two with bin 0 as the peak", {{"in.wav", repeat8({200, 200, 56, 56}, 4)}},
       {"-v", "-q2", "-t4", "in.wav"}, 0,
       eight_bit_listing + dump + "function:\n" +
           "    400.000000\n    112.000000\n    400.000000\n    112.000000\n"
           "    400.000000\n    112.000000\n    400.000000\n    112.000000\n"
           "harmonics:\n    1:  0    2:  0    3:  0    4:121\n",
       ""},
      {"constant 128", {{"in.wav", repeat8({128}, 40)}}, {"-t8", "in.wav"}, 0, table_of(silent(8)), ""},
      {"silence", {{"in.wav", repeat({0}, 40)}}, {"-t10", "in.wav"}, 0, table_of(silent(10)), ""},
      {"ten samples in threes", {{"in.wav", repeat({1, 2, 3, 4, 5, 6, 7, 8, 9, 1000}, 1)}},
       {"-q3", "-t0", "-v", "-b0", "-e9", "in.wav"}, 0,
       "format chunk ...\nchunk size  : 16\nformat tag  : 1\nchannels    : 1\nsamples/sec : 44100\n"
       "bytes/sec   : 88200\nblock align : 2\nbits/sample : 16\ndata chunk ...\nchunk size  : 20\n"
       "  0:       1\n  1:       2\n  2:       3\n  3:       4\n  4:       5\n  5:       6\n  6:       7\n"
       "  7:       8\n  8:       9\n  9:    1000\n"
       "function:\n      6.000000\n     15.000000\n     24.000000\nharmonics:\n",
       ""},
      {"T 16", {{"in.wav", repeat({0}, 40)}}, {"-t16", "in.wav"}, 0, table_of(silent(16)), ""},
      {"T 0", {{"in.wav", repeat({0}, 40)}}, {"-t0", "in.wav"}, 0, "harmonics:\n", ""},
      {"negative T", {{"in.wav", repeat({0}, 40)}}, {"-t-3", "in.wav"}, 0, "harmonics:\n\n", ""},
      {"default T: bin 6 mirrors bin 2, harmonics from 8 on are silent",
       {{"in.wav", repeat({1000, 0, -1000, 0}, 2)}}, {"in.wav"}, 0, table_of(mirrored), ""},
  });
}

}  // namespace
