#include "analysis/fft.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr double twopi = 6.283185307179586;

struct transform {
  std::vector<cplx> first, second;
  int32_t buf_sel = 1;
  const std::vector<cplx>& result() const { return buf_sel == 1 ? first : second; }
  const std::vector<cplx>& other() const { return buf_sel == 1 ? second : first; }
};

transform run_fft(const std::vector<cplx>& input) {
  transform t{input, std::vector<cplx>(input.size(), cplx{0, 0}), 1};
  const auto n = static_cast<int32_t>(input.size());
  EXPECT_EQ(fft(t.first.data(), t.second.data(), n, t.buf_sel), 0);
  return t;
}

std::vector<cplx> random_real(int32_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> value(-1.0, 1.0);
  std::vector<cplx> x(static_cast<std::size_t>(n));
  for (cplx& v : x) v = {value(random), 0.0};
  return x;
}

// Directly summed DFT in long double, with exact angle reduction.
std::vector<std::pair<long double, long double>> direct_dft(const std::vector<cplx>& x) {
  const std::size_t n = x.size();
  const long double two_pi = 6.283185307179586476925286766559L;
  std::vector<long double> c(n), s(n);
  for (std::size_t i = 0; i < n; ++i) {
    c[i] = std::cos(two_pi * static_cast<long double>(i) / static_cast<long double>(n));
    s[i] = std::sin(two_pi * static_cast<long double>(i) / static_cast<long double>(n));
  }
  std::vector<std::pair<long double, long double>> X(n);
  for (std::size_t m = 0; m < n; ++m) {
    long double re = 0, im = 0;
    for (std::size_t r = 0; r < n; ++r) {
      const std::size_t k = (m * r) % n;
      re += x[r].re * c[k] + x[r].im * s[k];
      im += x[r].im * c[k] - x[r].re * s[k];
    }
    X[m] = {re, im};
  }
  return X;
}

// Largest error against the direct DFT divided by n * max|x|.
double relative_error(const std::vector<cplx>& input, const std::vector<cplx>& output) {
  const auto expected = direct_dft(input);
  double largest_input = 0, largest_error = 0;
  for (const cplx& v : input) largest_input = std::max(largest_input, std::hypot(v.re, v.im));
  for (std::size_t m = 0; m < input.size(); ++m) {
    const long double dr = output[m].re - expected[m].first;
    const long double di = output[m].im - expected[m].second;
    largest_error = std::max(largest_error, static_cast<double>(std::sqrt(dr * dr + di * di)));
  }
  return largest_error / (static_cast<double>(input.size()) * largest_input);
}

TEST(Fft, PassCountAndLastFactorFollowTheFactorisation) {
  // After the last but one pass the other array holds, for each residue b
  // modulo the last factor, the length-n/last DFT of x[b], x[b + last], ...
  const struct {
    int32_t n;
    int passes;
    int32_t last_factor;
  } cases[] = {
      {1, 1, 1},    {2, 1, 2},     {12, 3, 3},    {30, 3, 5},     {74, 2, 37},   {82, 2, 41},  {97, 1, 97},
      {100, 4, 5},  {210, 4, 7},   {1763, 1, 1763}, {4094, 3, 89}, {4095, 5, 13}, {4096, 12, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    const std::vector<cplx> x = random_real(c.n, 7);
    const transform t = run_fft(x);
    EXPECT_EQ(t.buf_sel, c.passes % 2 == 0 ? 1 : 2);
    if (c.passes < 2) continue;
    const int32_t length = c.n / c.last_factor;
    for (int32_t b = 0; b < c.last_factor; ++b) {
      std::vector<cplx> sub;
      for (int32_t r = 0; r < length; ++r) sub.push_back(x[static_cast<std::size_t>(b + c.last_factor * r)]);
      const auto expected = direct_dft(sub);
      for (int32_t m = 0; m < length; ++m) {
        const cplx got = t.other()[static_cast<std::size_t>(m + length * b)];
        ASSERT_NEAR(got.re, static_cast<double>(expected[static_cast<std::size_t>(m)].first), 1e-9) << b << "," << m;
        ASSERT_NEAR(got.im, static_cast<double>(expected[static_cast<std::size_t>(m)].second), 1e-9) << b << "," << m;
      }
    }
  }
}

TEST(Fft, SinglePassLeavesTheInputAndMoreOverwriteIt) {
  const std::vector<cplx> one = {{42.5, -1.0}};
  const transform t1 = run_fft(one);
  EXPECT_EQ(t1.buf_sel, 2);
  EXPECT_EQ(std::memcmp(t1.second.data(), one.data(), sizeof(cplx)), 0);

  const std::vector<cplx> five = random_real(5, 1);
  EXPECT_EQ(std::memcmp(run_fft(five).first.data(), five.data(), 5 * sizeof(cplx)), 0);
  const std::vector<cplx> six = random_real(6, 1);
  EXPECT_NE(std::memcmp(run_fft(six).first.data(), six.data(), 6 * sizeof(cplx)), 0);
}

TEST(Fft, LengthTwoCarriesTheRoundingOfSinPi) {
  const transform t = run_fft({{3, 0}, {5, 0}});
  ASSERT_EQ(t.buf_sel, 2);
  EXPECT_EQ(t.second[0].re, 8.0);
  EXPECT_EQ(t.second[0].im, 0.0);
  EXPECT_EQ(t.second[1].re, -2.0);
  EXPECT_EQ(t.second[1].im, -5.0 * std::sin(twopi / 2));
  EXPECT_NEAR(t.second[1].im, -6.1e-16, 0.05e-16);
}

TEST(Fft, ImpulseAtOneGivesTheUnitCircleClockwise) {
  for (const int32_t n : {7, 12, 97, 100}) {
    std::vector<cplx> x(static_cast<std::size_t>(n), cplx{0, 0});
    x[1] = {1, 0};
    const transform t = run_fft(x);
    for (int32_t m = 0; m < n; ++m) {
      EXPECT_NEAR(t.result()[static_cast<std::size_t>(m)].re, std::cos(twopi * m / n), 1e-13) << n << " bin " << m;
      EXPECT_NEAR(t.result()[static_cast<std::size_t>(m)].im, -std::sin(twopi * m / n), 1e-13) << n << " bin " << m;
    }
  }
}

TEST(Fft, CosineOfThreePeriodsLandsInBins3And27) {
  std::vector<cplx> x;
  for (int i = 0; i < 30; ++i) x.push_back({std::cos(twopi * 3 * i / 30), 0});
  const transform t = run_fft(x);
  for (std::size_t m = 0; m < 30; ++m) {
    const double magnitude = std::hypot(t.result()[m].re, t.result()[m].im);
    EXPECT_NEAR(magnitude, m == 3 || m == 27 ? 15.0 : 0.0, 1e-12) << m;
  }
}

TEST(Fft, BinZeroIsAPlainSumWithExactZeroImaginaryPart) {
  for (const int32_t n : {1, 2, 30, 1000, 4093, 4096}) {
    const transform ones = run_fft(std::vector<cplx>(static_cast<std::size_t>(n), cplx{1, 0}));
    EXPECT_EQ(ones.result()[0].re, n);
    const transform t = run_fft(random_real(n, 3));
    EXPECT_EQ(std::signbit(t.result()[0].im) ? -t.result()[0].im : t.result()[0].im, 0.0) << n;
  }
}

TEST(Fft, IndicatorTwoStartsFromTheSecondArray) {
  const std::vector<cplx> x = random_real(30, 5);
  const transform from_first = run_fft(x);
  std::vector<cplx> first(30, cplx{0, 0}), second = x;
  int32_t buf_sel = 2;
  const int32_t n = 30;
  fft(first.data(), second.data(), n, buf_sel);
  EXPECT_EQ(buf_sel, 1);  // three passes
  EXPECT_EQ(std::memcmp(first.data(), from_first.result().data(), 30 * sizeof(cplx)), 0);
}

TEST(Fft, RefusesLengthsBelowOneAndUnknownIndicators) {
  const struct {
    int32_t n, buf_sel;
  } cases[] = {{0, 1}, {-4, 1}, {INT32_MIN, 2}, {4, 0}, {4, 3}, {4, -1}};
  for (const auto& c : cases) {
    std::vector<cplx> first(4, cplx{1, 2}), second(4, cplx{3, 4});
    int32_t buf_sel = c.buf_sel;
    EXPECT_EQ(fft(first.data(), second.data(), c.n, buf_sel), 0);
    EXPECT_EQ(buf_sel, c.buf_sel);
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(first[i].re, 1);
      EXPECT_EQ(second[i].im, 4);
    }
  }
}

TEST(Fft, AgreesWithADirectDftWithinRoundingThatGrowsWithTheLargestFactor) {
  // Zero-mean uniform input in -1..1. The results are deterministic; the
  // bounds leave a margin of about four over what this transform shows
  // (2e-15 for 210, 1024 and 4096, 3e-14 for 4095, 1.2e-13 for 4094,
  // 6e-13 for 1763, 1e-11 for 4093).
  const struct {
    int32_t n;
    double bound;
  } cases[] = {{210, 1e-14}, {1024, 1e-14}, {4096, 1e-14}, {4095, 1.2e-13},
               {4094, 5e-13}, {1763, 2.5e-12}, {4093, 4e-11}};
  for (const auto& c : cases) {
    const std::vector<cplx> x = random_real(c.n, static_cast<unsigned>(c.n));
    EXPECT_LT(relative_error(x, run_fft(x).result()), c.bound) << c.n;
  }
}

}  // namespace
