// The whole run in-process: read a 4096-sample 16-bit file, analyse it,
// print the table, write out.wav.
#include "cli/driver.hpp"
#include "wav/wav_header.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A 4096-sample tone with a few harmonics, written by our own header code.
std::string write_example(const std::filesystem::path& dir) {
  constexpr int32_t count = 4096;
  const auto header = encode_wav_header(2 * count);
  std::vector<uint8_t> bytes(header.begin(), header.end());
  for (int32_t i = 0; i < count; ++i) {
    const double x = 2 * 3.141592653589793 * i / count;
    const auto sample = static_cast<int16_t>(12000 * std::sin(x) + 6000 * std::sin(3 * x) + 3000 * std::sin(7 * x));
    const auto bits = static_cast<uint16_t>(sample);
    bytes.push_back(static_cast<uint8_t>(bits));
    bytes.push_back(static_cast<uint8_t>(bits >> 8));
  }
  const std::string path = (dir / "tone.wav").string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return {};
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

void BM_pipeline(benchmark::State& state) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "partigen_pipeline_bench";
  std::filesystem::create_directories(dir);
  const std::string input = write_example(dir);
  std::FILE* sink = std::fopen("/dev/null", "w");
  if (input.empty() || sink == nullptr) return state.SkipWithError("cannot write the example or open /dev/null");
  run_output io{sink, sink, (dir / "out.wav").string()};
  option_record options;
  options.o_trunc = static_cast<int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(run(options, input.c_str(), nullptr, io));
  std::fclose(sink);
  std::filesystem::remove_all(dir);
}

BENCHMARK(BM_pipeline)->ArgName("t")->Arg(64)->Arg(0);

}  // namespace
