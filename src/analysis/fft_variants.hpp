#pragma once

#include "analysis/fft.hpp"

#include <cstdint>

// The pass of the transform compiled for each instruction set; all three
// give the same bits. The AVX2 and AVX-512 ones may only run where the
// processor has them (see fft_variant_supported).
namespace fft_baseline {
void pass(const cplx* in, int32_t after, int32_t now, int32_t before, cplx* out);
}
namespace fft_avx2 {
void pass(const cplx* in, int32_t after, int32_t now, int32_t before, cplx* out);
}
namespace fft_avx512 {
void pass(const cplx* in, int32_t after, int32_t now, int32_t before, cplx* out);
}
