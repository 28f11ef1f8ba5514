// The pass with vectors of four doubles. Compiled with -mavx2 but without
// FMA, so no multiply and add can be fused.
#define FFT_PASS_NAMESPACE fft_avx2
#define FFT_PASS_LANES 4
#include "analysis/fft_variants.hpp"
#include "analysis/fft_pass.hpp"
