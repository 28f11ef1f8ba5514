#include "analysis/spectrum.hpp"

#include "analysis/level_scale.hpp"

#include <cmath>

double zabs(double re, double im) { return std::sqrt(re * re + im * im); }

spectrum measure_spectrum(const cplx* transform, int32_t n) {
  spectrum s;
  s.points = n;
  for (int32_t k = 0; k < n; ++k) {
    const double m = zabs(transform[k].re, transform[k].im);
    s.magnitude[static_cast<std::size_t>(k)] = m;
    if (m > s.peak) s.peak = m;
  }
  return s;
}

int harmonic_level(const spectrum& s, int64_t h) { return k5k_scale(s.harmonic(h) / s.peak); }
