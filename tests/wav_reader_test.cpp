#include "support/run_program.hpp"
#include "support/wav_builder.hpp"
#include "wav/sample_dump.hpp"
#include "wav/sample_load.hpp"
#include "wav/wav_reader.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> prefix(const std::vector<uint8_t>& bytes, std::size_t size) {
  return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)};
}

header_status status_of(const std::vector<uint8_t>& bytes) { return read_wav_header(bytes).status; }

TEST(WavHeader, EachShortFileFailsAtTheRecordItCannotFill) {
  const std::vector<uint8_t> good = wav_builder::pcm16({1, 2}).bytes();
  for (std::size_t size = 0; size < 44; ++size) {
    const header_status expected = size < 12   ? header_status::not_riff
                                   : size < 36 ? header_status::no_format_chunk
                                               : header_status::no_data_chunk;
    EXPECT_EQ(status_of(prefix(good, size)), expected) << size << " bytes";
  }
  EXPECT_EQ(status_of(good), header_status::ok);
}

TEST(WavHeader, TagsMustMatchAllFourBytes) {
  const struct {
    const char* what;
    wav_builder wav;
    header_status expected;
  } cases[] = {
      {"RIFX", [] { auto w = wav_builder::pcm16({0}); w.riff_tag = "RIFX"; return w; }(), header_status::not_riff},
      {"RF64", [] { auto w = wav_builder::pcm16({0}); w.riff_tag = "RF64"; return w; }(), header_status::not_riff},
      {"RIF\\0", [] { auto w = wav_builder::pcm16({0}); w.riff_tag = "RIF"; return w; }(), header_status::not_riff},
      {"fmt without blank", [] { auto w = wav_builder::pcm16({0}); w.fmt_tag = "fmt"; return w; }(),
       header_status::no_format_chunk},
      {"LIST before data", [] { auto w = wav_builder::pcm16({0}); w.data_tag = "LIST"; return w; }(),
       header_status::no_data_chunk},
      {"18-byte format body", [] {
         auto w = wav_builder::pcm16({0});
         w.fmt_size = 18;
         w.fmt_extra = {0, 0};
         return w;
       }(), header_status::no_data_chunk},
      {"size 18 but a 16-byte body", [] { auto w = wav_builder::pcm16({0}); w.fmt_size = 18; return w; }(),
       header_status::ok},
      {"form type not WAVE, RIFF size wrong", [] {
         auto w = wav_builder::pcm16({0});
         w.form_type = "AVI ";
         w.riff_size = 7;
         return w;
       }(), header_status::ok},
  };
  for (const auto& c : cases) EXPECT_EQ(status_of(c.wav.bytes()), c.expected) << c.what;
}

TEST(WavHeader, DecodesFieldsWithTheirSignedness) {
  wav_builder w = wav_builder::pcm16({});
  w.format_tag = 0xFFFE;
  w.channels = 65535;
  w.samples_per_sec = -5;
  w.data_size = 0x80000000u;
  const wav_header header = read_wav_header(w.bytes());
  ASSERT_EQ(header.status, header_status::ok);
  EXPECT_EQ(header.format.format_tag, -2);
  EXPECT_EQ(header.format.channels, 65535);
  EXPECT_EQ(header.format.samples_per_sec, -5);
  EXPECT_EQ(header.data.data_size, 0x80000000u);
  EXPECT_EQ(format_listing(header.format),
            "format chunk ...\n"
            "chunk size  : 16\n"
            "format tag  : -2\n"
            "channels    : 65535\n"
            "samples/sec : -5\n"
            "bytes/sec   : -10\n"
            "block align : 2\n"
            "bits/sample : 16\n");
  EXPECT_EQ(data_chunk_listing(header.data), "data chunk ...\nchunk size  : -2147483648\n");
}

TEST(FormatTest, AcceptsOnlyMonoPcmOf8Or16BitsWithAlignment1Or2) {
  const struct {
    int16_t format_tag;
    uint16_t channels, bits, align;
    bool supported;
  } cases[] = {
      {1, 1, 16, 2, true},  {1, 1, 8, 1, true},   {1, 1, 8, 2, true},   {1, 1, 16, 1, true},
      {1, 2, 16, 4, false}, {1, 2, 16, 2, false}, {3, 1, 16, 2, false}, {-2, 1, 16, 2, false},
      {0, 1, 16, 2, false}, {1, 1, 24, 2, false}, {1, 1, 32, 2, false}, {1, 1, 16, 0, false},
      {1, 1, 16, 3, false}, {1, 1, 8, 4, false},  {1, 0, 16, 2, false},
  };
  for (const auto& c : cases) {
    format_chunk format;
    format.format_tag = c.format_tag;
    format.channels = c.channels;
    format.bits_per_sample = c.bits;
    format.block_align = c.align;
    EXPECT_EQ(format_supported(format), c.supported)
        << "tag " << c.format_tag << " channels " << c.channels << " bits " << c.bits << " align " << c.align;
  }
}

// Loads from a file holding `bytes`, positioned at its start.
sample_load load_from(const std::vector<uint8_t>& bytes, uint32_t data_size) {
  temp_dir dir;
  write_file(dir.file("data"), bytes);
  std::FILE* file = std::fopen(dir.file("data").c_str(), "rb");
  sample_load load = load_samples(file, data_size);
  std::fclose(file);
  return load;
}

TEST(SampleLoad, LoadsExactlyTheDataSize) {
  const sample_load load = load_from({1, 2, 3, 4, 5}, 3);
  ASSERT_EQ(load.result, sample_load::outcome::ok);
  EXPECT_EQ(load.bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(load_from({}, 0).result, sample_load::outcome::ok);
}

TEST(SampleLoad, ReportsWhatAShortFileHeld) {
  const sample_load load = load_from(std::vector<uint8_t>(100, 7), 200);
  EXPECT_EQ(load.result, sample_load::outcome::truncated);
  EXPECT_EQ(load.bytes_read, 100u);
  EXPECT_TRUE(load.bytes.empty());
}

TEST(SampleLoad, RefusesHugeClaimsWithoutAllocatingThem) {
  for (const uint32_t size : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
    const sample_load load = load_from(std::vector<uint8_t>(1000, 1), size);
    EXPECT_EQ(load.result, sample_load::outcome::truncated) << size;
    EXPECT_EQ(load.bytes_read, 1000u) << size;
    EXPECT_LT(load.bytes.capacity(), 1u << 20) << size;
  }
}

TEST(SampleLoad, GrowsPastItsFirstChunk) {
  std::vector<uint8_t> bytes(300000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  const sample_load load = load_from(bytes, 250001);
  ASSERT_EQ(load.result, sample_load::outcome::ok);
  EXPECT_EQ(load.bytes, prefix(bytes, 250001));
}

TEST(Samples, EightBitIsUnsignedAndSixteenBitSignedLittleEndian) {
  const std::vector<uint8_t> bytes = {0xC8, 0x00, 0x00, 0x80, 0xFF, 0x7F, 0x12};
  const sample_view eight{bytes, true};
  EXPECT_EQ(eight.count(), 7);
  EXPECT_EQ(eight.at(0), 200);
  const sample_view sixteen{bytes, false};
  EXPECT_EQ(sixteen.count(), 3);  // the odd last byte belongs to no sample
  EXPECT_EQ(sixteen.at(0), 200);
  EXPECT_EQ(sixteen.at(1), -32768);
  EXPECT_EQ(sixteen.at(2), 32767);
}

std::string dump(const sample_view& samples, int64_t begin, int64_t end) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&text, &size);
  print_sample_dump(out, samples, begin, end);
  std::fclose(out);
  std::string result(text, size);
  std::free(text);
  return result;
}

TEST(SampleDump, PrintsOnlyExistingSamplesOfTheStretch) {
  const std::vector<uint8_t> bytes = {10, 0, 20, 0, 30, 0, 0, 0x80, 5, 0, 6, 0, 7, 0, 8, 0, 9};
  const sample_view sixteen{bytes, false};
  EXPECT_EQ(dump(sixteen, 2, 3), "  2:      30\n  3:  -32768\n");
  EXPECT_EQ(dump(sixteen, 7, 100), "  7:       8\n");
  EXPECT_EQ(dump(sixteen, -5, 0), "  0:      10\n");
  EXPECT_EQ(dump(sixteen, 5, 4), "");
  const sample_view eight{bytes, true};
  EXPECT_EQ(dump(eight, 16, 40), " 16:   9\n");
  EXPECT_EQ(dump(eight, 6, 7), "  6:   0\n  7: 128\n");
  EXPECT_EQ(dump(sample_view{{}, true}, 0, 10), "");
}

}  // namespace
