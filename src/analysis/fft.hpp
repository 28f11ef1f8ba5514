#pragma once

#include <cstdint>

struct cplx {
  double re;
  double im;
};

// Forward, unnormalised DFT of n values in natural order, by mixed-radix
// passes over the primes 2..37 plus one remainder factor, alternating
// between two caller-owned arrays of at least n entries each. buf_sel names
// the array holding the data: 1 for `first`, 2 for `second`; on return it
// names the array holding the result. A length below 1 or an indicator
// other than 1 or 2 returns at once without touching either array.
// Always returns 0. Uses the fastest variant the processor supports.
int fft(cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel);

// One pass: reads `in` as (a, b, k) and writes `out` as (a, j, b), see fft.cpp.
int fftstp(const cplx* in, const int32_t& after, const int32_t& now, const int32_t& before, cplx* out);

// The compiled variants of the transform. All give the same bits; they
// differ only in speed.
enum class fft_variant { baseline, avx2, avx512 };

// Whether this processor can run `variant`.
bool fft_variant_supported(fft_variant variant);

// The variant that fft() uses: the widest one supported.
fft_variant fft_best_variant();

// fft() with a chosen variant, which must be supported.
int fft_with(fft_variant variant, cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel);
