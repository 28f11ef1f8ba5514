#pragma once

#include "analysis/fft.hpp"

#include <cstdint>

// A literal transcription of the transform, loop for loop and operation for
// operation, kept as the yardstick for the production transform: the two
// must agree to the last bit, and the benchmarks measure one against the
// other. Same contract as fft().
int reference_fft(cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel);
