// The production transform against the literal reference: the same doubles
// to the last bit and the same indicator, for every length 1..4096 and every
// compiled variant the processor can run.
#include "analysis/fft.hpp"
#include "support/fft_reference.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int32_t longest = 4096;

enum class input_kind { random_real, integer_16bit, complex_first, complex_second };

struct outcome {
  std::vector<cplx> first, second;
  int32_t buf_sel;
};

// The input of one case; complex inputs are entered through the array that
// buf_sel names at entry.
outcome make_input(input_kind kind, int32_t n) {
  std::mt19937_64 random(static_cast<uint64_t>(n) * 4 + static_cast<uint64_t>(kind));
  std::uniform_real_distribution<double> real(-1.0, 1.0);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  outcome in{std::vector<cplx>(static_cast<std::size_t>(n)), std::vector<cplx>(static_cast<std::size_t>(n)), 1};
  std::vector<cplx>* data = &in.first;
  if (kind == input_kind::complex_second) {
    in.buf_sel = 2;
    data = &in.second;
  }
  for (cplx& c : *data) {
    switch (kind) {
      case input_kind::random_real: c = {real(random), 0.0}; break;
      case input_kind::integer_16bit: c = {static_cast<double>(sample(random)), 0.0}; break;
      default: c = {real(random) * 1e3, real(random)}; break;
    }
  }
  return in;
}

bool same_bits(const std::vector<cplx>& a, const std::vector<cplx>& b) {
  return std::memcmp(a.data(), b.data(), a.size() * sizeof(cplx)) == 0;
}

std::vector<int32_t> lengths_to_check() {
  std::vector<int32_t> lengths;
#ifdef PARTIGEN_SANITIZE
  // Under the sanitizers every length would take minutes: the small ones, a
  // spread of the rest, and the lengths with large remainder factors.
  for (int32_t n = 1; n <= 128; ++n) lengths.push_back(n);
  for (int32_t n : {210, 256, 997, 1000, 1024, 1763, 2048, 2310, 3000, 4093, 4094, 4095, 4096}) lengths.push_back(n);
#else
  for (int32_t n = 1; n <= longest; ++n) lengths.push_back(n);
#endif
  return lengths;
}

std::vector<fft_variant> supported_variants() {
  std::vector<fft_variant> variants;
  for (const fft_variant v : {fft_variant::baseline, fft_variant::avx2, fft_variant::avx512}) {
    if (fft_variant_supported(v)) variants.push_back(v);
  }
  return variants;
}

// One test per kind of input, so that they can run in parallel: the
// reference alone takes seconds per kind.
class fft_equivalence : public testing::TestWithParam<input_kind> {};

TEST_P(fft_equivalence, every_variant_gives_the_bits_of_the_reference) {
  const input_kind kind = GetParam();
  for (const int32_t n : lengths_to_check()) {
    outcome expected = make_input(kind, n);
    const outcome input = expected;
    reference_fft(expected.first.data(), expected.second.data(), n, expected.buf_sel);
    std::vector<std::pair<const char*, outcome>> runs;
    for (const fft_variant variant : supported_variants()) {
      outcome actual = input;
      fft_with(variant, actual.first.data(), actual.second.data(), n, actual.buf_sel);
      runs.emplace_back(variant == fft_variant::avx512 ? "avx512" : variant == fft_variant::avx2 ? "avx2" : "baseline",
                        actual);
    }
    outcome chosen = input;
    fft(chosen.first.data(), chosen.second.data(), n, chosen.buf_sel);
    runs.emplace_back("fft", chosen);
    for (const auto& [name, actual] : runs) {
      SCOPED_TRACE(testing::Message() << "n " << n << ", " << name);
      ASSERT_EQ(actual.buf_sel, expected.buf_sel);
      // Both arrays: the result, and what the caller may see in the other.
      ASSERT_TRUE(same_bits(actual.first, expected.first));
      ASSERT_TRUE(same_bits(actual.second, expected.second));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(inputs, fft_equivalence,
                         testing::Values(input_kind::random_real, input_kind::integer_16bit,
                                         input_kind::complex_first, input_kind::complex_second),
                         [](const testing::TestParamInfo<input_kind>& param) {
                           switch (param.param) {
                             case input_kind::random_real: return "random_real";
                             case input_kind::integer_16bit: return "integer_16bit";
                             case input_kind::complex_first: return "complex_in_first_array";
                             case input_kind::complex_second: break;
                           }
                           return "complex_in_second_array";
                         });

}  // namespace
