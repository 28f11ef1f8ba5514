// Figures for the transform: the production transform against the literal
// reference, on the same random real input, one benchmark per length.
#include "analysis/fft.hpp"
#include "support/fft_reference.hpp"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using transform_fn = int (*)(cplx*, cplx*, const int32_t&, int32_t&);

void run_transform(benchmark::State& state, transform_fn transform) {
  const auto n = static_cast<int32_t>(state.range(0));
  std::vector<cplx> input(static_cast<std::size_t>(n));
  std::mt19937_64 random(static_cast<uint64_t>(n));
  std::uniform_real_distribution<double> value(-32768.0, 32767.0);
  for (cplx& c : input) c = {value(random), 0.0};
  std::vector<cplx> first(input.size());
  std::vector<cplx> second(input.size());
  for (auto _ : state) {
    std::memcpy(first.data(), input.data(), input.size() * sizeof(cplx));
    int32_t buf_sel = 1;
    transform(first.data(), second.data(), n, buf_sel);
    benchmark::DoNotOptimize(first.data());
    benchmark::DoNotOptimize(second.data());
    benchmark::ClobberMemory();
  }
}

void lengths(benchmark::internal::Benchmark* b) {
  for (int n : {64, 100, 997, 1000, 1763, 2048, 4093, 4094, 4095, 4096}) b->Arg(n);
}

int baseline_fft(cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel) {
  return fft_with(fft_variant::baseline, first, second, n, buf_sel);
}
int avx2_fft(cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel) {
  return fft_with(fft_variant::avx2, first, second, n, buf_sel);
}

void BM_transform_reference(benchmark::State& state) { run_transform(state, reference_fft); }
// What fft() runs: the widest variant this processor supports.
void BM_transform(benchmark::State& state) { run_transform(state, fft); }
// The variant for any x86-64 processor.
void BM_transform_baseline(benchmark::State& state) { run_transform(state, baseline_fft); }
void BM_transform_avx2(benchmark::State& state) {
  if (!fft_variant_supported(fft_variant::avx2)) return state.SkipWithError("no AVX2 on this processor");
  run_transform(state, avx2_fft);
}

BENCHMARK(BM_transform_reference)->Apply(lengths);
BENCHMARK(BM_transform)->Apply(lengths);
BENCHMARK(BM_transform_baseline)->Apply(lengths);
BENCHMARK(BM_transform_avx2)->Apply(lengths);

}  // namespace
