// Properties of whole runs over a few hundred generated files, run
// in-process: whatever the file and the options, the input is never
// changed, "out.wav" always matches the stretch, a ka1 file changes only in
// its level slots and checksum, the table agrees with the patch, and a run
// that fails before the analysis writes nothing.
#include "cli/driver.hpp"
#include "cli/exit_status.hpp"
#include "support/run_program.hpp"
#include "support/wav_builder.hpp"
#include "wav/wav_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

enum class fault { none, riff_tag, fmt_tag, data_tag, cut_header, unsupported, data_ends_early };

struct run_case {
  std::string what;
  wav_builder wav;
  fault injected = fault::none;
  std::size_t cut = 0;  // with cut_header: bytes of the file kept
  option_record options;
  bool ka1_named = false;
  std::optional<std::vector<uint8_t>> ka1;  // nothing: the named file is missing
  bool stale_out = false;
};

class generator {
 public:
  explicit generator(uint32_t seed) : rng_(seed) {}

  run_case next() {
    run_case c;
    const bool eight_bit = chance(0.3);
    const int64_t samples = sample_count();
    c.wav = eight_bit ? wav_builder::pcm8(samples8(samples)) : wav_builder::pcm16(samples16(samples));
    if (chance(0.1)) c.wav.block_align = eight_bit ? 2 : 1;  // accepted, but the default end counts otherwise
    c.wav.samples_per_sec = pick<int32_t>({8000, 22050, 44100, 96000});
    if (chance(0.05) && !c.wav.data.empty()) c.wav.data.pop_back();  // an odd 16-bit byte, or one sample less
    choose_options(c, samples);
    choose_ka1(c);
    c.stale_out = chance(0.3);
    if (chance(0.25)) inject_fault(c);
    c.what = describe(c, eight_bit);
    return c;
  }

 private:
  bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  int64_t between(int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(rng_); }
  template <class T>
  T pick(std::initializer_list<T> values) {
    return *(values.begin() + between(0, static_cast<int64_t>(values.size()) - 1));
  }

  int64_t sample_count() {
    const double roll = std::uniform_real_distribution<double>(0, 1)(rng_);
    if (roll < 0.05) return between(0, 3);
    if (roll < 0.65) return between(4, 300);
    if (roll < 0.92) return between(301, 2000);
    return between(4000, 5000);
  }

  // Noise, a tone, silence, a constant or the extremes, in 16-bit range.
  std::vector<int32_t> shape(int64_t count, int32_t low, int32_t high) {
    std::vector<int32_t> values(static_cast<std::size_t>(count));
    const int kind = static_cast<int>(between(0, 4));
    const int32_t constant = static_cast<int32_t>(between(low, high));
    const double period = static_cast<double>(between(1, 400));
    for (std::size_t i = 0; i < values.size(); ++i) {
      switch (kind) {
        case 0: values[i] = static_cast<int32_t>(between(low, high)); break;
        case 1: {
          const double mid = (low + high) / 2.0;
          const double wave = std::sin(6.283185307179586 * static_cast<double>(i) / period);
          values[i] = static_cast<int32_t>(mid + (high - mid) * 0.9 * wave);
          break;
        }
        case 2: values[i] = 0; break;
        case 3: values[i] = constant; break;
        default: values[i] = i % 2 == 0 ? low : high; break;
      }
    }
    return values;
  }
  std::vector<int16_t> samples16(int64_t count) {
    std::vector<int16_t> out;
    for (const int32_t v : shape(count, -32768, 32767)) out.push_back(static_cast<int16_t>(v));
    return out;
  }
  std::vector<uint8_t> samples8(int64_t count) {
    std::vector<uint8_t> out;
    for (const int32_t v : shape(count, 0, 255)) out.push_back(static_cast<uint8_t>(v));
    return out;
  }

  // Mostly stretches that can be analysed, some that reach outside the data
  // or make too few or too many points.
  void choose_options(run_case& c, int64_t samples) {
    option_record& o = c.options;
    o.o_verbose = chance(0.2) ? 1 : 0;
    const auto inside = [&] { return static_cast<int32_t>(between(0, std::max<int64_t>(samples - 1, 0))); };
    switch (between(0, 3)) {
      case 0: break;  // the default stretch
      case 1: o.o_begin = inside(); break;
      case 2:
        o.o_begin = inside();
        o.o_end = chance(0.9) ? static_cast<int32_t>(between(o.o_begin, std::max<int64_t>(samples - 1, o.o_begin)))
                              : static_cast<int32_t>(between(-10, samples + 10));
        break;
      default:
        o.o_begin = inside();
        o.o_length = static_cast<int32_t>(between(chance(0.1) ? -5 : 0, std::max<int64_t>(samples - o.o_begin, 1)));
        break;
    }
    if (chance(0.03)) o.o_begin = pick<int32_t>({-1, -2147483647 - 1, 2147483647});
    const double q = std::uniform_real_distribution<double>(0, 1)(rng_);
    o.o_quant = q < 0.6 ? 1 : q < 0.95 ? static_cast<int32_t>(between(2, 5)) : pick<int32_t>({0, -1, 9999});
    const double t = std::uniform_real_distribution<double>(0, 1)(rng_);
    o.o_trunc = t < 0.4    ? 64
                : t < 0.85 ? static_cast<int32_t>(between(1, 120))
                : t < 0.95 ? pick<int32_t>({0, -3, -2147483647 - 1})
                           : pick<int32_t>({4096, 4097, 2147483647});
    if (o.o_trunc == 4096 && samples > 300) o.o_trunc = 200;  // keeps the sine count small
  }

  void choose_ka1(run_case& c) {
    c.ka1_named = chance(0.5);
    if (!c.ka1_named || chance(0.15)) return;
    const int64_t size = chance(0.15) ? between(0, 1059) : chance(0.3) ? 1060 : between(1061, 1400);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(between(0, 255));
    c.ka1 = bytes;
  }

  void inject_fault(run_case& c) {
    c.injected = static_cast<fault>(between(1, 6));
    switch (c.injected) {
      case fault::riff_tag: c.wav.riff_tag = pick<const char*>({"RIFX", "RF64", "riff", "RIF"}); break;
      case fault::fmt_tag: c.wav.fmt_tag = pick<const char*>({"fmt", "FMT ", "data"}); break;
      case fault::data_tag:
        if (chance(0.5)) {
          c.wav.data_tag = pick<const char*>({"LIST", "fact", "dat"});
        } else {
          c.wav.fmt_size = 18;
          c.wav.fmt_extra = {0, 0};
        }
        break;
      case fault::cut_header: c.cut = static_cast<std::size_t>(between(0, 43)); break;
      case fault::unsupported:
        switch (between(0, 4)) {
          case 0: c.wav.channels = 2; break;
          case 1: c.wav.format_tag = pick<uint16_t>({0, 3, 0xFFFE}); break;
          case 2: c.wav.bits_per_sample = pick<uint16_t>({0, 12, 24, 32}); break;
          case 3: c.wav.block_align = pick<uint16_t>({0, 3, 4}); break;
          default: c.wav.channels = 0; break;
        }
        break;
      case fault::data_ends_early:
        c.wav.data_size = static_cast<uint32_t>(c.wav.data.size()) + pick<uint32_t>({1, 2, 1000});
        if (chance(0.3)) c.wav.data_size = pick<uint32_t>({0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu});
        break;
      case fault::none: break;
    }
  }

  static std::string describe(const run_case& c, bool eight_bit) {
    const option_record& o = c.options;
    char text[256];
    std::snprintf(text, sizeof text, "%s %zu bytes fault %d cut %zu -b%d -e%d -l%d -q%d -t%d%s ka1 %s%s",
                  eight_bit ? "8-bit" : "16-bit", c.wav.data.size(), static_cast<int>(c.injected), c.cut, o.o_begin,
                  o.o_end, o.o_length, o.o_quant, o.o_trunc, o.o_verbose ? " -v" : "",
                  !c.ka1_named ? "none" : c.ka1 ? std::to_string(c.ka1->size()).c_str() : "missing",
                  c.stale_out ? " stale out.wav" : "");
    return text;
  }

  std::mt19937 rng_;
};

// The number of samples in the stretch as the program must complete it, or
// 0 when that stretch cannot be analysed.
int64_t analysed_count(const run_case& c) {
  const option_record& o = c.options;
  const auto bytes = static_cast<int64_t>(c.wav.data.size());
  const int64_t samples = c.wav.bits_per_sample == 8 ? bytes : bytes / 2;
  int64_t end = o.o_end;
  if (end == 0) end = o.o_length != 0 ? int64_t{o.o_begin} + o.o_length : std::min<int64_t>(bytes / c.wav.block_align - 1, 4095);
  const int64_t count = end - o.o_begin + 1;
  if (o.o_quant < 1 || o.o_trunc > 4096 || o.o_begin < 0 || count < 1 || end >= samples) return 0;
  if (count / o.o_quant < 1 || count / o.o_quant > 4096) return 0;
  return count;
}

int expected_failure(const run_case& c) {
  switch (c.injected) {
    case fault::riff_tag: return exit_status::not_riff;
    case fault::fmt_tag: return exit_status::no_format_chunk;
    case fault::data_tag: return exit_status::no_data_chunk;
    case fault::cut_header:
      return c.cut < 12 ? exit_status::not_riff : c.cut < 36 ? exit_status::no_format_chunk : exit_status::no_data_chunk;
    case fault::unsupported: return exit_status::unsupported_format;
    case fault::data_ends_early: return exit_status::truncated_data;
    case fault::none: break;
  }
  return exit_status::bad_stretch;
}

std::string text_of(std::FILE* stream) {
  std::string text;
  std::rewind(stream);
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, got);
  return text;
}

// The levels of the table after "harmonics:", in order.
std::vector<int> table_levels(const std::string& out) {
  std::vector<int> levels;
  const std::size_t start = out.find("harmonics:\n");
  if (start == std::string::npos) return levels;
  const char* p = out.c_str() + start + 11;
  int harmonic = 0;
  int level = 0;
  int used = 0;
  while (std::sscanf(p, " %d:%d%n", &harmonic, &level, &used) == 2) {
    EXPECT_EQ(harmonic, static_cast<int>(levels.size()) + 1);
    levels.push_back(level);
    p += used;
  }
  return levels;
}

std::optional<std::vector<uint8_t>> contents(const std::string& path) {
  if (!std::filesystem::exists(path)) return std::nullopt;
  return read_file(path);
}

TEST(RunProperties, HoldForGeneratedFilesAndOptions) {
  temp_dir dir;
  const std::string input = dir.file("in.wav");
  const std::string wave = dir.file("out.wav");
  const std::string ka1 = dir.file("voice.ka1");
  const std::vector<uint8_t> stale = {'s', 't', 'a', 'l', 'e'};
  generator generate(20261211);
  int analysed = 0;
  int failed_early = 0;

  for (int index = 0; index < 400; ++index) {
    const run_case c = generate.next();
    SCOPED_TRACE("case " + std::to_string(index) + ": " + c.what);
    std::vector<uint8_t> file = c.wav.bytes();
    if (c.injected == fault::cut_header) file.resize(c.cut);
    std::filesystem::remove(wave);
    std::filesystem::remove(ka1);
    write_file(input, file);
    if (c.stale_out) write_file(wave, stale);
    if (c.ka1) write_file(ka1, *c.ka1);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ASSERT_TRUE(out != nullptr && err != nullptr);

    const int status = run(c.options, input.c_str(), c.ka1_named ? ka1.c_str() : nullptr, run_output{out, err, wave});
    const std::string out_text = text_of(out);
    const std::string err_text = text_of(err);
    std::fclose(out);
    std::fclose(err);

    EXPECT_EQ(read_file(input), file) << "the input changed";
    const int64_t count = c.injected == fault::none ? analysed_count(c) : 0;
    const std::optional<std::vector<uint8_t>> wave_after = contents(wave);
    const std::optional<std::vector<uint8_t>> ka1_after = contents(ka1);

    if (count == 0) {
      ++failed_early;
      EXPECT_EQ(status, expected_failure(c)) << err_text;
      EXPECT_EQ(wave_after, c.stale_out ? std::optional(stale) : std::nullopt) << "out.wav written by a failed run";
      EXPECT_EQ(ka1_after, c.ka1) << "ka1 file touched by a failed run";
      EXPECT_EQ(out_text.find("harmonics:"), std::string::npos);
      continue;
    }
    ++analysed;
    const bool ka1_refused = c.ka1_named && (!c.ka1 || c.ka1->size() < 1060);
    EXPECT_EQ(status, ka1_refused ? exit_status::output_failed : exit_status::success) << err_text;

    ASSERT_TRUE(wave_after.has_value());
    ASSERT_EQ(wave_after->size(), static_cast<std::size_t>(44 + 2 * count));
    const wav_header header = read_wav_header(*wave_after);
    EXPECT_EQ(header.status, header_status::ok);
    EXPECT_TRUE(format_supported(header.format));
    EXPECT_EQ(header.format.bits_per_sample, 16);
    EXPECT_EQ(header.format.samples_per_sec, 44100);
    EXPECT_EQ(header.data.data_size, 2 * count);
    EXPECT_EQ(header.riff.riff_size, 36 + 2 * count);

    const std::vector<int> levels = table_levels(out_text);
    EXPECT_EQ(levels.size(), static_cast<std::size_t>(std::max(c.options.o_trunc, 0)));
    if (!c.ka1 || c.ka1->size() < 1060) {
      EXPECT_EQ(ka1_after, c.ka1);
      continue;
    }
    const std::vector<uint8_t>& before = *c.ka1;
    ASSERT_TRUE(ka1_after.has_value());
    const std::vector<uint8_t>& after = *ka1_after;
    ASSERT_EQ(after.size(), before.size());
    const std::size_t written = static_cast<std::size_t>(std::clamp(c.options.o_trunc, 0, 64));
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (i == 254) continue;
      if (i >= 291 && i < 291 + written) {
        EXPECT_EQ(after[i], levels.at(i - 291)) << "level slot " << i;
      } else {
        EXPECT_EQ(after[i], before[i]) << "byte " << i;
      }
    }
    unsigned sum = 0;
    for (std::size_t i = 255; i < 1060; ++i) sum += after[i];
    EXPECT_EQ(after[254], ((sum + 0xA5) % 256) & 0x7F) << "checksum";
  }
  // Both kinds of run must have come up, or the properties were not tried.
  EXPECT_GT(analysed, 150);
  EXPECT_GT(failed_early, 100);
}

}  // namespace
