// Four samples at a time with the C library's AVX2 vector sine. Compiled
// with -mavx2 but without FMA: every product and sum is rounded on its own,
// in the order of the scalar loop.
#include "output/resynthesis_variants.hpp"

#include <immintrin.h>

extern "C" __m256d _ZGVdN4v_sin(__m256d);

namespace resynthesis_avx2 {

void scaled_values(const double* magnitude, int32_t points, int32_t trunc, double total, int32_t first, int32_t length,
                   int32_t count, double* values) {
  constexpr double pi = 3.141592653589793;
  for (int32_t i0 = 0; i0 < length; i0 += 4) {
    // Samples past the block get phase 0; their values are never used.
    double phases[4];
    for (int32_t l = 0; l < 4; ++l) phases[l] = i0 + l < length ? 2 * pi * (first + i0 + l) / count : 0.0;
    const __m256d phase = _mm256_loadu_pd(phases);
    __m256d sum = _mm256_setzero_pd();
    for (int32_t j = 1; j <= trunc && j < points; ++j) {
      // A silent partial adds sin * 0 = +-0, which leaves the sum as it is.
      if (magnitude[j] == 0.0) continue;
      const __m256d sine = _ZGVdN4v_sin(_mm256_mul_pd(phase, _mm256_set1_pd(j)));
      sum = _mm256_add_pd(sum, _mm256_mul_pd(sine, _mm256_set1_pd(magnitude[j])));
    }
    const __m256d value = _mm256_div_pd(_mm256_mul_pd(sum, _mm256_set1_pd(32767)), _mm256_set1_pd(total));
    double out[4];
    _mm256_storeu_pd(out, value);
    for (int32_t l = 0; l < 4 && i0 + l < length; ++l) values[i0 + l] = out[l];
  }
}

}  // namespace resynthesis_avx2
