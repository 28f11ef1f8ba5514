// The pass for any x86-64 processor: pairs and vectors of two doubles.
#define FFT_PASS_NAMESPACE fft_baseline
#define FFT_PASS_LANES 2
// With one value per vector, b innermost pays off up to more a (measured).
#define FFT_PASS_A_INNER_FROM 16
#include "analysis/fft_variants.hpp"
#include "analysis/fft_pass.hpp"
