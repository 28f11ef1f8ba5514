// The pass with vectors of eight doubles. Compiled with -mavx512f but
// without FMA, so no multiply and add can be fused.
#define FFT_PASS_NAMESPACE fft_avx512
#define FFT_PASS_LANES 8
#include "analysis/fft_variants.hpp"
#include "analysis/fft_pass.hpp"
