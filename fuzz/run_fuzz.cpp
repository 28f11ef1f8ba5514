// The whole run in-process: a fuzzed input file and fuzzed option values go
// through the header, the stretch checks, the analysis and both writers.
// The files live in a temporary directory of their own. Besides crashes,
// every run is checked for what it must never do: change its input, write
// when it failed before the analysis, or patch a ka1 file outside its
// slots and checksum.
#include "cli/driver.hpp"
#include "cli/exit_status.hpp"
#include "cli/stretch.hpp"
#include "fuzz_check.hpp"
#include "run_input.hpp"
#include "wav/wav_reader.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

struct work_dir {
  std::filesystem::path path;
  std::string input, wave, ka1;
  std::FILE* sink = nullptr;

  work_dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "partigen-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
    input = (path / "in.wav").string();
    wave = (path / "out.wav").string();
    ka1 = (path / "voice.ka1").string();
    sink = std::fopen("/dev/null", "w");
  }
  ~work_dir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

work_dir& dir() {
  static work_dir d;
  return d;
}

void write_bytes(const std::string& path, std::span<const uint8_t> bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  FUZZ_CHECK(file != nullptr);
  FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
  FUZZ_CHECK(std::fclose(file) == 0);
}

// The file's bytes, or nothing when it does not exist.
std::optional<std::vector<uint8_t>> read_bytes(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
  std::fclose(file);
  return bytes;
}

bool status_known(int status) {
  switch (status) {
    case exit_status::success:
    case exit_status::not_riff:
    case exit_status::no_format_chunk:
    case exit_status::no_data_chunk:
    case exit_status::truncated_data:
    case exit_status::bad_stretch:
    case exit_status::output_failed:
    case exit_status::unsupported_format:
      return true;
    default:
      return false;  // 2 cannot happen with an existing input, 6 not for a small file
  }
}

// Samples of the analysed stretch, as out.wav must hold them.
int64_t stretch_count(const run_input& in, std::span<const uint8_t> wav) {
  const wav_header header = read_wav_header(wav);
  option_record options;
  options.o_begin = in.begin;
  options.o_end = in.end;
  options.o_length = in.length;
  const stretch range = complete_stretch(options, header.data.data_size, header.format.block_align);
  return range.end - range.begin + 1;
}

void check_wave(const std::vector<uint8_t>& wave, int64_t count) {
  FUZZ_CHECK(static_cast<int64_t>(wave.size()) == 44 + 2 * count);
  const wav_header header = read_wav_header(std::span<const uint8_t>(wave));
  FUZZ_CHECK(header.status == header_status::ok);
  FUZZ_CHECK(format_supported(header.format) && header.format.bits_per_sample == 16);
  FUZZ_CHECK(header.format.samples_per_sec == 44100);
  FUZZ_CHECK(header.data.data_size == 2 * count && header.riff.riff_size == 36 + 2 * count);
}

void check_patch(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after, int32_t trunc) {
  FUZZ_CHECK(after.size() == before.size());
  const int32_t levels = std::clamp(trunc, 0, 64);
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool level_slot = i >= 291 && i < 291 + static_cast<std::size_t>(levels);
    if (i != 254 && !level_slot) FUZZ_CHECK(after[i] == before[i]);
  }
  uint8_t sum = 0;
  for (std::size_t i = 255; i < 1060; ++i) sum = static_cast<uint8_t>(sum + after[i]);
  FUZZ_CHECK(after[254] == ((sum + 0xA5) & 0x7F));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  work_dir& d = dir();
  const run_input in = decode_run_input(std::span<const uint8_t>(data, size));
  const bool ka1_named = (in.flags & run_flags::ka1_named) != 0;
  const bool ka1_is_dir = ka1_named && (in.flags & run_flags::ka1_is_dir) != 0;
  const bool ka1_exists = ka1_named && !ka1_is_dir && (in.flags & run_flags::ka1_exists) != 0;
  const bool out_blocked = (in.flags & run_flags::out_blocked) != 0;

  write_bytes(d.input, in.wav);
  std::filesystem::remove(d.wave);
  std::filesystem::remove(d.ka1);
  const uint8_t stale[] = {'s', 't', 'a', 'l', 'e'};
  if (out_blocked) {
    std::filesystem::create_directory(d.wave);
  } else if ((in.flags & run_flags::stale_out) != 0) {
    write_bytes(d.wave, stale);
  }
  const std::vector<uint8_t> ka1_before = ka1_contents(in);
  if (ka1_exists) write_bytes(d.ka1, ka1_before);
  if (ka1_is_dir) std::filesystem::create_directory(d.ka1);
  const auto wave_before = read_bytes(d.wave);

  option_record options;
  options.o_verbose = (in.flags & run_flags::verbose) != 0 ? 1 : 0;
  options.o_begin = in.begin;
  options.o_end = in.end;
  options.o_length = in.length;
  options.o_quant = in.quant;
  options.o_trunc = in.trunc;
  run_output io{d.sink, d.sink, d.wave};
  const int status = run(options, d.input.c_str(), ka1_named ? d.ka1.c_str() : nullptr, io);

  FUZZ_CHECK(status_known(status));
  const auto input_after = read_bytes(d.input);
  FUZZ_CHECK(input_after && std::equal(input_after->begin(), input_after->end(), in.wav.begin(), in.wav.end()));
  const auto wave_after = read_bytes(d.wave);
  const auto ka1_after = ka1_is_dir ? std::nullopt : read_bytes(d.ka1);
  FUZZ_CHECK(ka1_after.has_value() == ka1_exists);
  FUZZ_CHECK(std::filesystem::is_directory(d.wave) == out_blocked);
  FUZZ_CHECK(std::filesystem::is_directory(d.ka1) == ka1_is_dir);

  const bool analysed = status == exit_status::success || status == exit_status::output_failed;
  if (!analysed) {
    FUZZ_CHECK(wave_after == wave_before);
    if (ka1_exists) FUZZ_CHECK(*ka1_after == ka1_before);
    return 0;
  }
  if (!out_blocked) {
    FUZZ_CHECK(wave_after.has_value());
    check_wave(*wave_after, stretch_count(in, in.wav));
  }
  const bool ka1_short = ka1_exists && ka1_before.size() < 1060;
  const bool failed = out_blocked || (ka1_named && (!ka1_exists || ka1_short));
  FUZZ_CHECK(status == (failed ? exit_status::output_failed : exit_status::success));
  if (ka1_short) FUZZ_CHECK(*ka1_after == ka1_before);
  if (ka1_exists && !ka1_short) check_patch(ka1_before, *ka1_after, in.trunc);
  return 0;
}
