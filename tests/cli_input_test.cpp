#include "support/cli_case.hpp"
#include "support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using bytes = std::vector<uint8_t>;

bytes pcm16(int count) {
  std::vector<int16_t> samples;
  for (int i = 0; i < count; ++i) samples.push_back(static_cast<int16_t>((i % 7) * 100 - 300));
  return wav_builder::pcm16(samples).bytes();
}

bytes prefix(const bytes& b, std::size_t size) { return {b.begin(), b.begin() + static_cast<std::ptrdiff_t>(size)}; }

const std::string listing16 =
    "format chunk ...\n"
    "chunk size  : 16\n"
    "format tag  : 1\n"
    "channels    : 1\n"
    "samples/sec : 44100\n"
    "bytes/sec   : 88200\n"
    "block align : 2\n"
    "bits/sample : 16\n";

TEST(CommandLine, HeaderFailures) {
  wav_builder stereo = wav_builder::pcm16({1, 2, 3, 4});
  stereo.channels = 2;
  stereo.block_align = 4;
  wav_builder list_chunk = wav_builder::pcm16({1, 2});
  list_chunk.data_tag = "LIST";
  const std::string not_wav = "this file doesn't look like a .wav\n";
  const std::string no_fmt = "this wave file doesn't start with a format chunk\n";
  const std::string no_data = "the data chunk isn't right after the format chunk ... bummer\n";
  const std::string unsupported = "wav file type not supported\n";
  expect_cli({
      {"empty file", {{"in.wav", {}}}, {"in.wav"}, 3, "", not_wav},
      {"text file", {{"in.wav", bytes(std::begin("hello, world\n"), std::end("hello, world\n"))}}, {"in.wav"}, 3, "",
       not_wav},
      {"11 bytes", {{"in.wav", prefix(pcm16(4), 11)}}, {"-v", "in.wav"}, 3, "", not_wav},
      {"12 bytes", {{"in.wav", prefix(pcm16(4), 12)}}, {"-v", "in.wav"}, 4, "", no_fmt},
      {"35 bytes", {{"in.wav", prefix(pcm16(4), 35)}}, {"-v", "in.wav"}, 4, "", no_fmt},
      {"43 bytes, listing first", {{"in.wav", prefix(pcm16(4), 43)}}, {"-v", "in.wav"}, 5, listing16, no_data},
      {"LIST chunk", {{"in.wav", list_chunk.bytes()}}, {"in.wav"}, 5, "", no_data},
      {"stereo", {{"in.wav", stereo.bytes()}}, {"in.wav", "x.ka1"}, 11, "", unsupported},
  });
}

TEST(CommandLine, UnsupportedFormatIsListedButNothingIsWritten) {
  temp_dir dir;
  wav_builder extensible = wav_builder::pcm16({1, 2});
  extensible.format_tag = 0xFFFE;
  const bytes ka1(1060, 0x11);
  expect_cli({"extensible", {{"in.wav", extensible.bytes()}, {"x.ka1", ka1}}, {"-v", "in.wav", "x.ka1"}, 11,
              "format chunk ...\nchunk size  : 16\nformat tag  : -2\nchannels    : 1\nsamples/sec : 44100\n"
              "bytes/sec   : 88200\nblock align : 2\nbits/sample : 16\ndata chunk ...\nchunk size  : 4\n",
              "wav file type not supported\n"},
             dir);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.wav"));
  EXPECT_EQ(read_file(dir.file("x.ka1")), ka1);
}

TEST(CommandLine, DataChunkThatEndsEarly) {
  wav_builder short_data = wav_builder::pcm16(std::vector<int16_t>(50, 3));
  short_data.data_size = 200;
  wav_builder huge_claim = wav_builder::pcm16(std::vector<int16_t>(490, 3));  // a 1024-byte file
  huge_claim.data_size = 0x80000000u;
  wav_builder largest_claim = huge_claim;
  largest_claim.data_size = 0xFFFFFFFFu;
  expect_cli({
      {"200 claimed, 100 there", {{"in.wav", short_data.bytes()}}, {"in.wav"}, 7, "",
       "unexpected end of file\n100\n200\n"},
      {"2 GB claimed in 1 KB", {{"in.wav", huge_claim.bytes()}}, {"in.wav"}, 7, "",
       "unexpected end of file\n980\n-2147483648\n"},
      {"4 GB claimed", {{"in.wav", largest_claim.bytes()}}, {"in.wav"}, 7, "", "unexpected end of file\n980\n-1\n"},
  });
}

TEST(CommandLine, VerboseListingAndDumpOfTheStretch) {
  wav_builder eight = wav_builder::pcm8({0xC8, 1, 2, 3, 4, 5, 6, 7, 8});
  eight.samples_per_sec = 8000;
  expect_cli({
      {"16-bit", {{"in.wav", wav_builder::pcm16({5, -32768, 32767, 4, 9, 9, 9}).bytes()}},
       {"-v", "-b1", "-e3", "-t0", "in.wav"}, 0,
       listing16 + "data chunk ...\nchunk size  : 14\n  1:  -32768\n  2:   32767\n  3:       4\n"
                   "function:\n -32768.000000\n  32767.000000\n      4.000000\nharmonics:\n",
       ""},
      {"8-bit", {{"in.wav", eight.bytes()}}, {"-v", "-b0", "-l1", "-t0", "in.wav"}, 0,
       "format chunk ...\nchunk size  : 16\nformat tag  : 1\nchannels    : 1\nsamples/sec : 8000\n"
       "bytes/sec   : 8000\nblock align : 1\nbits/sample : 8\ndata chunk ...\nchunk size  : 9\n"
       "  0: 200\n  1:   1\nfunction:\n    200.000000\n      1.000000\nharmonics:\n",
       ""},
      {"dump shows only samples that exist", {{"in.wav", pcm16(3)}}, {"-v", "-b1", "-e8", "in.wav"}, 9,
       listing16 + "data chunk ...\nchunk size  : 6\n  1:    -200\n  2:    -100\n",
       "stretch 1 to 8 lies outside the data (3 samples)\n"},
  });
}

TEST(CommandLine, StretchChecksWriteNothing) {
  const struct {
    std::vector<std::string> options;
    bytes wav;
    std::string message;
  } cases[] = {
      {{"-q0"}, pcm16(10), "-q must be at least 1\n"},
      {{"-q-1", "-t5000"}, pcm16(10), "-q must be at least 1\n"},
      {{"-t4097"}, pcm16(10), "-t must be at most 4096\n"},
      {{"-b20"}, pcm16(10), "stretch 20 to 9 is empty\n"},
      {{"-b5", "-e4"}, pcm16(10), "stretch 5 to 4 is empty\n"},
      {{}, pcm16(0), "stretch 0 to -1 is empty\n"},
      {{"-b-1"}, pcm16(10), "stretch -1 to 9 lies outside the data (10 samples)\n"},
      {{"-e10"}, pcm16(10), "stretch 0 to 10 lies outside the data (10 samples)\n"},
      {{"-b2147483647", "-l2147483647"}, pcm16(10),
       "stretch 2147483647 to 4294967294 lies outside the data (10 samples)\n"},
      {{"-b-2147483648", "-l-2147483648"}, pcm16(10), "stretch -2147483648 to -4294967296 is empty\n"},
      {{"-q11"}, pcm16(10), "stretch of 10 samples makes 0 analysis points, not 1 to 4096\n"},
      {{"-e4096"}, pcm16(5000), "stretch of 4097 samples makes 4097 analysis points, not 1 to 4096\n"},
      {{}, [] {
         wav_builder w = wav_builder::pcm16({1, 2, 3});
         w.block_align = 1;  // the default end then counts bytes
         return w.bytes();
       }(),
       "stretch 0 to 5 lies outside the data (3 samples)\n"},
  };
  for (const auto& c : cases) {
    temp_dir dir;
    const bytes ka1(1100, 0x5A);
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"in.wav", "x.ka1"});
    expect_cli({c.message, {{"in.wav", c.wav}, {"x.ka1", ka1}}, args, 9, "", c.message}, dir);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "out.wav")) << c.message;
    EXPECT_EQ(read_file(dir.file("x.ka1")), ka1) << c.message;
  }
}

TEST(CommandLine, StretchFollowsBeginEndAndLength) {
  // The resynthesis holds one sample per sample of the stretch.
  const struct {
    std::vector<std::string> options;
    bytes wav;
    std::size_t samples;
  } cases[] = {
      {{}, pcm16(100), 100},
      {{}, pcm16(10000), 4096},
      {{"-b100"}, pcm16(10000), 3996},
      {{"-b10", "-l100"}, pcm16(200), 101},
      {{"-e0", "-l50"}, pcm16(200), 51},
      {{"-e300", "-l50"}, pcm16(400), 301},
      {{"-b2000", "-e6000"}, pcm16(10000), 4001},
      {{"-q2", "-b0", "-e8191"}, pcm16(8192), 8192},
      {{}, wav_builder::pcm8(bytes(1000, 77)).bytes(), 1000},
      {{"-b12abc", "-e14xyz"}, pcm16(20), 3},
  };
  for (const auto& c : cases) {
    temp_dir dir;
    std::vector<std::string> args = c.options;
    args.push_back("in.wav");
    write_file(dir.file("in.wav"), c.wav);
    const program_result result = run_partigen(args, dir.path());
    const std::string trace = testing::PrintToString(c.options);
    EXPECT_EQ(result.status, 0) << trace << result.err;
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "out.wav"), 44 + 2 * c.samples) << trace;
  }
}

TEST(CommandLine, PositionalArguments) {
  temp_dir dir;
  const bytes ka1(1060, 0);
  write_file(dir.file("in.wav"), pcm16(16));
  write_file(dir.file("-v"), ka1);
  // "-v" after the input name is the ka1 file, and verbose output stays off.
  const program_result result = run_partigen({"-t2", "in.wav", "-v", "more", "-x"}, dir.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("harmonics:\n", 0), 0u) << result.out;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(read_file(dir.file("-v")), ka1);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "more"));
}

}  // namespace
