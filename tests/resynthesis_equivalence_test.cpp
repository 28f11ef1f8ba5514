// The block resynthesis of every variant against the plain loop of
// resynthesis_sample: the same samples, bit for bit.
#include "output/resynthesis.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

std::vector<int16_t> plain_loop(const spectrum& s, int32_t trunc, int32_t count) {
  const double total = resynthesis_total(s, trunc);
  std::vector<int16_t> samples;
  for (int32_t i = 0; i < count; ++i) samples.push_back(resynthesis_sample(s, trunc, total, i, count));
  return samples;
}

std::vector<int16_t> in_blocks(resynthesis_variant variant, const spectrum& s, int32_t trunc, int32_t count) {
  const double total = resynthesis_total(s, trunc);
  std::vector<int16_t> samples(static_cast<std::size_t>(count));
  for (int32_t first = 0; first < count; first += resynthesis_block_length) {
    const int32_t length = std::min(resynthesis_block_length, count - first);
    resynthesis_block(variant, s, trunc, total, first, length, count, samples.data() + first);
  }
  return samples;
}

enum class shape { random, one_partial, equal, sparse, silent };

spectrum make_spectrum(shape kind, int32_t points, uint64_t seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> level(0.0, 1e6);
  spectrum s;
  s.points = points;
  for (int32_t k = 0; k < points; ++k) {
    double m = 0.0;
    switch (kind) {
      case shape::random: m = level(random); break;
      case shape::one_partial: m = k == 1 ? 1.0 : 0.0; break;  // many samples land exactly on integers
      case shape::equal: m = 1.0; break;
      case shape::sparse: m = random() % 4 == 0 ? level(random) : 0.0; break;
      case shape::silent: m = 0.0; break;
    }
    s.magnitude[static_cast<std::size_t>(k)] = m;
  }
  return s;
}

TEST(ResynthesisEquivalence, EveryVariantGivesTheSamplesOfThePlainLoop) {
  const struct {
    shape kind;
    int32_t points, trunc;
  } spectra[] = {
      {shape::random, 4096, 64}, {shape::random, 4096, 1},  {shape::random, 100, 200}, {shape::random, 4096, 0},
      {shape::one_partial, 64, 64}, {shape::one_partial, 2, 3}, {shape::equal, 4096, 64}, {shape::equal, 4096, 5},
      {shape::sparse, 4096, 64}, {shape::silent, 4096, 64},
  };
  const int32_t counts[] = {1, 2, 3, 4, 7, 8, 9, 17, 100, 441, 2048, 2049, 4093, 4096, 5000};
  for (const resynthesis_variant variant :
       {resynthesis_variant::scalar, resynthesis_variant::avx2, resynthesis_variant::avx512}) {
    if (!resynthesis_variant_supported(variant)) continue;
    uint64_t seed = 1;
    for (const auto& c : spectra) {
      const spectrum s = make_spectrum(c.kind, c.points, seed++);
      for (const int32_t count : counts) {
        SCOPED_TRACE(testing::Message() << "variant " << static_cast<int>(variant) << ", spectrum "
                                        << static_cast<int>(c.kind) << " trunc " << c.trunc << ", count " << count);
        ASSERT_EQ(in_blocks(variant, s, c.trunc, count), plain_loop(s, c.trunc, count));
      }
    }
  }
}

// Values that land within a hair of an integer are where a vector sine a few
// units off in the last place would truncate differently. For each sample of
// a two-partial wave, the second magnitude is bisected until the sample's
// value crosses an integer; the magnitudes around that crossing must still
// give the samples of the plain loop.
TEST(ResynthesisEquivalence, ValuesNextToAnIntegerComeOutAsInThePlainLoop) {
  constexpr int32_t count = 64;
  constexpr int32_t trunc = 2;
  int32_t crossings = 0;
  for (int32_t i = 1; i < count; ++i) {
    if (i % (count / 4) == 0) continue;  // exact zeros and ones of the sines
    const auto value_at = [&](double c) {
      spectrum s = make_spectrum(shape::silent, 3, 0);
      s.magnitude[1] = 1.0;
      s.magnitude[2] = c;
      return resynthesis_sample(s, trunc, resynthesis_total(s, trunc), i, count);
    };
    // The sample moves monotonically enough between these ends to cross at
    // least one integer.
    double lo = 0.5;
    double hi = 0.5 + 1e-3;
    const int16_t at_lo = value_at(lo);
    if (value_at(hi) == at_lo) continue;
    while (std::nextafter(lo, hi) < hi) {
      const double mid = lo + (hi - lo) / 2;
      if (mid <= lo || mid >= hi) break;
      (value_at(mid) == at_lo ? lo : hi) = mid;
    }
    ++crossings;
    double c = lo;
    for (int step = 0; step < 16; ++step) c = std::nextafter(c, 0.0);
    for (int step = 0; step < 32; ++step, c = std::nextafter(c, 2.0)) {
      spectrum s = make_spectrum(shape::silent, 3, 0);
      s.magnitude[1] = 1.0;
      s.magnitude[2] = c;
      for (const resynthesis_variant variant : {resynthesis_variant::avx2, resynthesis_variant::avx512}) {
        if (!resynthesis_variant_supported(variant)) continue;
        SCOPED_TRACE(testing::Message() << "sample " << i << ", second magnitude " << c);
        ASSERT_EQ(in_blocks(variant, s, trunc, count), plain_loop(s, trunc, count));
      }
    }
  }
  EXPECT_GT(crossings, 40);
}

}  // namespace
