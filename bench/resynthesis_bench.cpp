// Figures for the resynthesis of 4096 samples with 64 partials: the plain
// loop of scalar sines against the blocks that dump_wave writes.
#include "output/resynthesis.hpp"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int32_t count = 4096;
constexpr int32_t partials = 64;

spectrum measured_like() {
  spectrum s;
  s.points = count;
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> level(0.0, 1e6);
  for (double& m : s.magnitude) m = level(random);
  return s;
}

void BM_resynthesis_plain_loop(benchmark::State& state) {
  const spectrum s = measured_like();
  const double total = resynthesis_total(s, partials);
  std::vector<int16_t> samples(count);
  for (auto _ : state) {
    for (int32_t i = 0; i < count; ++i) samples[static_cast<std::size_t>(i)] = resynthesis_sample(s, partials, total, i, count);
    benchmark::DoNotOptimize(samples.data());
  }
}

void run_blocks(benchmark::State& state, resynthesis_variant variant) {
  if (!resynthesis_variant_supported(variant)) return state.SkipWithError("not supported on this processor");
  const spectrum s = measured_like();
  const double total = resynthesis_total(s, partials);
  std::vector<int16_t> samples(count);
  for (auto _ : state) {
    for (int32_t first = 0; first < count; first += resynthesis_block_length) {
      resynthesis_block(variant, s, partials, total, first, resynthesis_block_length, count, samples.data() + first);
    }
    benchmark::DoNotOptimize(samples.data());
  }
}

// What dump_wave runs: the widest variant this processor supports.
void BM_resynthesis(benchmark::State& state) { run_blocks(state, resynthesis_best_variant()); }
void BM_resynthesis_avx2(benchmark::State& state) { run_blocks(state, resynthesis_variant::avx2); }

BENCHMARK(BM_resynthesis_plain_loop);
BENCHMARK(BM_resynthesis);
BENCHMARK(BM_resynthesis_avx2);

}  // namespace
