// The pass with vectors of eight doubles. Compiled with -mavx512f (which
// brings no FMA in GCC) and without tree vectorisation.
#define FFT_PASS_NAMESPACE fft_avx512
#define FFT_PASS_LANES 8
#include "analysis/fft_variants.hpp"
#include "analysis/fft_pass.hpp"
