// Eight samples at a time with the C library's AVX-512 vector sine, with
// explicit multiplies and adds that are never fused: every product and sum
// is rounded on its own, in the order of the scalar loop.
#include "output/resynthesis_variants.hpp"

#include <immintrin.h>

extern "C" __m512d _ZGVeN8v_sin(__m512d);

namespace resynthesis_avx512 {

void scaled_values(const double* magnitude, int32_t points, int32_t trunc, double total, int32_t first, int32_t length,
                   int32_t count, double* values) {
  constexpr double pi = 3.141592653589793;
  for (int32_t i0 = 0; i0 < length; i0 += 8) {
    // Samples past the block get phase 0; their values are never used.
    double phases[8];
    for (int32_t l = 0; l < 8; ++l) phases[l] = i0 + l < length ? 2 * pi * (first + i0 + l) / count : 0.0;
    const __m512d phase = _mm512_loadu_pd(phases);
    __m512d sum = _mm512_setzero_pd();
    for (int32_t j = 1; j <= trunc && j < points; ++j) {
      // A silent partial adds sin * 0 = +-0, which leaves the sum as it is.
      if (magnitude[j] == 0.0) continue;
      const __m512d sine = _ZGVeN8v_sin(_mm512_mul_pd(phase, _mm512_set1_pd(j)));
      sum = _mm512_add_pd(sum, _mm512_mul_pd(sine, _mm512_set1_pd(magnitude[j])));
    }
    const __m512d value = _mm512_div_pd(_mm512_mul_pd(sum, _mm512_set1_pd(32767)), _mm512_set1_pd(total));
    double out[8];
    _mm512_storeu_pd(out, value);
    for (int32_t l = 0; l < 8 && i0 + l < length; ++l) values[i0 + l] = out[l];
  }
}

}  // namespace resynthesis_avx512
