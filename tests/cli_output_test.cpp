#include "support/cli_case.hpp"
#include "support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

using bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

const bytes sine = wav_builder::pcm16({0, 1000, 0, -1000}).bytes();

// A tone with several harmonics at distinct levels, 64 samples long.
bytes rich_tone() {
  std::vector<int16_t> samples;
  for (int i = 0; i < 64; ++i) {
    double v = 0;
    for (int h = 1; h <= 20; ++h) v += 9000.0 / (h * h) * std::sin(6.283185307179586 * h * i / 64 + h);
    samples.push_back(static_cast<int16_t>(v));
  }
  return wav_builder::pcm16(samples).bytes();
}

std::vector<int> table_levels(const std::string& out) {
  std::vector<int> levels;
  std::istringstream table(out.substr(out.find("harmonics:\n") + 11));
  int h = 0, level = 0;
  char colon = 0;
  while (table >> h >> colon >> level) levels.push_back(level);
  return levels;
}

TEST(CommandLine, ResynthesisIsSixteenBitMonoAt44100WithOneSamplePerInputSample) {
  temp_dir dir;
  expect_cli({"one cycle", {{"in.wav", sine}}, {"-t1", "in.wav"}, 0, "harmonics:\n    1:127\n", ""}, dir);
  EXPECT_EQ(read_file(dir.file("out.wav")), wav_builder::pcm16({0, 32767, 0, -32767}).bytes());

  // 8-bit input at another rate, two samples per point: 16 samples out, not 8.
  temp_dir eight;
  wav_builder input = wav_builder::pcm8({200, 200, 56, 56, 200, 200, 56, 56, 200, 200, 56, 56, 200, 200, 56, 56});
  input.samples_per_sec = 22050;
  write_file(eight.file("in.wav"), input.bytes());
  ASSERT_EQ(run_partigen({"-q2", "-t4", "in.wav"}, eight.path()).status, 0);
  const bytes out = read_file(eight.file("out.wav"));
  ASSERT_EQ(out.size(), 44u + 32u);
  wav_builder expected_header = wav_builder::pcm16(std::vector<int16_t>(16, 0));
  const bytes header = expected_header.bytes();
  EXPECT_TRUE(std::equal(header.begin(), header.begin() + 44, out.begin()));
}

TEST(CommandLine, AnalysingOutWavReplacesItWithItsOwnResynthesis) {
  temp_dir dir;
  write_file(dir.file("in.wav"), sine);
  ASSERT_EQ(run_partigen({"-t1", "in.wav"}, dir.path()).status, 0);
  const bytes first = read_file(dir.file("out.wav"));
  const program_result again = run_partigen({"-t1", "out.wav"}, dir.path());
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "harmonics:\n    1:127\n");
  EXPECT_EQ(read_file(dir.file("out.wav")), first);
}

TEST(CommandLine, Ka1PatchMatchesTheTable) {
  for (const int trunc : {16, 64, 100}) {
    SCOPED_TRACE(trunc);
    temp_dir dir;
    bytes ka1(1100);
    for (std::size_t i = 0; i < ka1.size(); ++i) ka1[i] = static_cast<uint8_t>(i * 13 + 1);
    write_file(dir.file("in.wav"), rich_tone());
    write_file(dir.file("voice.ka1"), ka1);
    const program_result result = run_partigen({"-t" + std::to_string(trunc), "in.wav", "voice.ka1"}, dir.path());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, trunc > 64 ? "only the first 64 harmonics will be written to the ka1 file\n" : "");
    const std::vector<int> levels = table_levels(result.out);
    ASSERT_EQ(levels.size(), static_cast<std::size_t>(trunc));
    const bytes patched = read_file(dir.file("voice.ka1"));
    ASSERT_EQ(patched.size(), ka1.size());
    for (std::size_t offset = 0; offset < ka1.size(); ++offset) {
      const auto h = static_cast<int>(offset) - 290;
      if (h >= 1 && h <= std::min(trunc, 64)) {
        EXPECT_EQ(patched[offset], levels[static_cast<std::size_t>(h - 1)]) << offset;
      } else if (offset != 254) {
        EXPECT_EQ(patched[offset], ka1[offset]) << offset;
      }
    }
    unsigned sum = 0;
    for (std::size_t offset = 255; offset < 1060; ++offset) sum += patched[offset];
    EXPECT_EQ(patched[254], ((sum + 0xA5) % 256) & 0x7F);
  }
}

TEST(CommandLine, OutputFailuresEndWithStatus10AfterTheOtherFileIsWritten) {
  const std::string table = "harmonics:\n    1:127\n";
  const bytes ka1(1060, 0);

  {  // A ka1 file that does not exist is not created; out.wav is written.
    temp_dir dir;
    expect_cli({"missing ka1", {{"in.wav", sine}}, {"-t1", "in.wav", "none.ka1"}, 10, table,
                "could not open ka1 file\n"},
               dir);
    EXPECT_FALSE(fs::exists(dir.path() / "none.ka1"));
    EXPECT_EQ(fs::file_size(dir.path() / "out.wav"), 52u);
  }
  {  // A short ka1 file is left as it was, and gets no other message.
    temp_dir dir;
    const bytes short_ka1(1059, 3);
    std::vector<int> levels(100, 0);
    levels[0] = levels[2] = 127;  // bin 3 of four mirrors bin 1
    expect_cli({"short ka1", {{"in.wav", sine}, {"x.ka1", short_ka1}}, {"-t100", "in.wav", "x.ka1"}, 10,
                table_of(levels), "ka1 file too short, not patched\n"},
               dir);
    EXPECT_EQ(read_file(dir.file("x.ka1")), short_ka1);
  }
  {  // out.wav cannot be created: the ka1 file is patched all the same.
    temp_dir dir;
    fs::create_directory(dir.path() / "out.wav");
    expect_cli({"out.wav is a directory", {{"in.wav", sine}, {"x.ka1", ka1}}, {"-t1", "in.wav", "x.ka1"}, 10, table,
                "could not write out.wav\n"},
               dir);
    EXPECT_EQ(read_file(dir.file("x.ka1"))[291], 127);
  }
  {  // Every write to out.wav fails: no space left.
    temp_dir dir;
    fs::create_symlink("/dev/full", dir.path() / "out.wav");
    expect_cli({"full disk", {{"in.wav", sine}}, {"-t1", "in.wav"}, 10, table, "could not write out.wav\n"}, dir);
  }
  {  // Both fail: each message once, in the order the writers run.
    temp_dir dir;
    fs::create_directory(dir.path() / "out.wav");
    expect_cli({"both", {{"in.wav", sine}}, {"-t1", "in.wav", "none.ka1"}, 10, table,
                "could not write out.wav\ncould not open ka1 file\n"},
               dir);
  }
}

}  // namespace
