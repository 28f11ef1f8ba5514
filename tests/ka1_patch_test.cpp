#include "output/ka1_patch.hpp"
#include "support/run_program.hpp"
#include "support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

TEST(Ka1Checksum, WorkedValues) {
  std::array<uint8_t, ka1::block_size> block{};
  EXPECT_EQ(ka1_checksum(block), 0x25);
  for (std::size_t slot = 36; slot < 100; ++slot) block[slot] = 127;
  EXPECT_EQ(ka1_checksum(block), 0x65);
  block.fill(0xFF);
  EXPECT_EQ(ka1_checksum(block), 0x00);
}

// A spectrum whose harmonic h has level 128 - h (ratio 2^((1-h)/8)).
spectrum falling_levels() {
  spectrum s;
  s.points = 200;
  s.peak = 1.0;
  for (int h = 0; h < 200; ++h) s.magnitude[static_cast<std::size_t>(h)] = std::exp2((1.0 - h) / 8.0);
  return s;
}

ka1_region filled(uint8_t value) {
  ka1_region region;
  region.fill(value);
  return region;
}

TEST(PatchKa1Region, WritesTheFirstSlotsAndAFreshChecksum) {
  const spectrum s = falling_levels();
  for (const int32_t trunc : {-3, 0, 1, 16, 64, 100, 4096}) {
    SCOPED_TRACE(trunc);
    const ka1_region before = filled(0xAA);
    const ka1_region after = patch_ka1_region(before, s, trunc);
    const int32_t written = std::clamp(trunc, 0, 64);
    for (std::size_t i = 1; i < after.size(); ++i) {
      const long offset = ka1::checksum_offset + static_cast<long>(i);
      const long h = offset - 290;
      if (h >= 1 && h <= written) {
        EXPECT_EQ(after[i], 127 - h + 1) << offset;
      } else {
        EXPECT_EQ(after[i], 0xAA) << offset;
      }
    }
    EXPECT_EQ(after[0], ka1_checksum(std::span<const uint8_t, ka1::block_size>(after.data() + 1, ka1::block_size)));
    EXPECT_EQ(patch_ka1_region(after, s, trunc), after) << "a second patch changes nothing";
  }
}

TEST(PatchKa1Region, SilentStretchWritesZeros) {
  spectrum silent;
  silent.points = 100;
  const ka1_region after = patch_ka1_region(filled(9), silent, 64);
  for (long h = 1; h <= 64; ++h) EXPECT_EQ(after[static_cast<std::size_t>(290 + h - 254)], 0);
}

class DumpAdd : public testing::Test {
 protected:
  temp_dir dir;
  std::string path = dir.file("voice.ka1");

  std::vector<uint8_t> pattern(std::size_t size) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + 7);
    return bytes;
  }

  // Runs dump_add and returns what it printed.
  std::string patch(int32_t trunc, ka1_outcome expected, const std::string& name) {
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* err = open_memstream(&text, &size);
    EXPECT_EQ(dump_add(falling_levels(), trunc, name, err), expected);
    std::fclose(err);
    std::string printed(text, size);
    std::free(text);
    return printed;
  }
};

TEST_F(DumpAdd, ChangesOnlyTheSlotsAndTheChecksum) {
  for (const std::size_t size : {std::size_t{1060}, std::size_t{1100}}) {
    for (const int32_t trunc : {16, 64, 100, 0, -3}) {
      SCOPED_TRACE(testing::Message() << size << " bytes, T " << trunc);
      const std::vector<uint8_t> before = pattern(size);
      write_file(path, before);
      EXPECT_EQ(patch(trunc, ka1_outcome::ok, path),
                trunc > 64 ? "only the first 64 harmonics will be written to the ka1 file\n" : "");
      const std::vector<uint8_t> after = read_file(path);
      ASSERT_EQ(after.size(), size);
      ka1_region region;
      std::copy_n(before.begin() + 254, region.size(), region.begin());
      const ka1_region expected = patch_ka1_region(region, falling_levels(), trunc);
      EXPECT_TRUE(std::equal(expected.begin(), expected.end(), after.begin() + 254));
      EXPECT_TRUE(std::equal(before.begin(), before.begin() + 254, after.begin()));
      EXPECT_TRUE(std::equal(before.begin() + 1060, before.end(), after.begin() + 1060));
      EXPECT_EQ(patch(trunc, ka1_outcome::ok, path).empty(), trunc <= 64);
      EXPECT_EQ(read_file(path), after) << "a second patch changes nothing";
    }
  }
}

TEST_F(DumpAdd, FixesAStaleChecksumEvenWithoutLevels) {
  std::vector<uint8_t> bytes(1060, 0);
  bytes[254] = 0x7F;
  write_file(path, bytes);
  patch(0, ka1_outcome::ok, path);
  bytes[254] = 0x25;
  EXPECT_EQ(read_file(path), bytes);
}

TEST_F(DumpAdd, LeavesAShortFileAlone) {
  const std::vector<uint8_t> bytes = pattern(1059);
  write_file(path, bytes);
  EXPECT_EQ(patch(100, ka1_outcome::too_short, path), "ka1 file too short, not patched\n");
  EXPECT_EQ(read_file(path), bytes);
  write_file(path, {});
  EXPECT_EQ(patch(64, ka1_outcome::too_short, path), "ka1 file too short, not patched\n");
  EXPECT_TRUE(read_file(path).empty());
}

TEST_F(DumpAdd, NeverCreatesAFile) {
  EXPECT_EQ(patch(64, ka1_outcome::cannot_open, path), "could not open ka1 file\n");
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(patch(64, ka1_outcome::cannot_open, dir.path().string()), "could not open ka1 file\n");
  EXPECT_EQ(patch(64, ka1_outcome::ok, ""), "");
}

}  // namespace
