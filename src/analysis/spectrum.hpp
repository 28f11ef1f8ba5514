#pragma once

#include "analysis/fft.hpp"

#include <array>
#include <cstdint>

// Capacity of the analysis: at most this many points are transformed.
inline constexpr int32_t max_points = 4096;

// Magnitudes of the bins of one transform, and the largest of them.
struct spectrum {
  std::array<double, max_points> magnitude{};  // entry k: bin k, for k < points
  int32_t points = 0;
  double peak = 0.0;  // largest magnitude, bin 0 included; 0.0 when all are 0

  // Harmonics at or beyond the number of points were never measured and
  // count as silent.
  double harmonic(int64_t h) const {
    return h >= 0 && h < points ? magnitude[static_cast<std::size_t>(h)] : 0.0;
  }
};

double zabs(double re, double im);

// Magnitudes of transform bins 0..n-1 and their peak; n is 1..max_points.
spectrum measure_spectrum(const cplx* transform, int32_t n);

// The level of harmonic h as both the table and the ka1 patch give it.
int harmonic_level(const spectrum& s, int64_t h);
