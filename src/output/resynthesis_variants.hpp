#pragma once

#include <cstdint>

// The scaled values sum * 32767 / total of samples first .. first + length - 1
// of a period of `count` samples, computed several samples at a time with
// the C library's vector sine. magnitude[h] is harmonic h for h < points
// (later harmonics are silent); total is not 0; length is at most
// resynthesis_block_length. The vector sine may differ from the scalar one
// in the last bits, so the caller rechecks values near an integer.
// Only callable where the processor has the instruction set.
namespace resynthesis_avx2 {
void scaled_values(const double* magnitude, int32_t points, int32_t trunc, double total, int32_t first, int32_t length,
                   int32_t count, double* values);
}
namespace resynthesis_avx512 {
void scaled_values(const double* magnitude, int32_t points, int32_t trunc, double total, int32_t first, int32_t length,
                   int32_t count, double* values);
}
