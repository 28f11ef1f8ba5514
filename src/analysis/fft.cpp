#include "analysis/fft.hpp"

#include "analysis/fft_variants.hpp"

namespace {

constexpr int32_t prime[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
constexpr int32_t nextmx = 12;

using pass_fn = void (*)(const cplx*, int32_t, int32_t, int32_t, cplx*);

pass_fn pass_of(fft_variant variant) {
  switch (variant) {
    case fft_variant::avx512: return fft_avx512::pass;
    case fft_variant::avx2: return fft_avx2::pass;
    case fft_variant::baseline: break;
  }
  return fft_baseline::pass;
}

pass_fn best_pass() {
  static const pass_fn chosen = pass_of(fft_best_variant());
  return chosen;
}

int run_passes(pass_fn pass, cplx* first, cplx* second, int32_t n, int32_t& buf_sel) {
  if (n < 1 || (buf_sel != 1 && buf_sel != 2)) return 0;
  int32_t after = 1;
  int32_t before = n;
  int32_t now = 1;
  int32_t position = 0;  // moves forward only: factors come in ascending order
  for (;;) {
    while (position < nextmx && before % prime[position] != 0) ++position;
    if (position < nextmx) {
      now = prime[position];
      before /= now;
    } else {
      now = before;
      before = 1;
    }
    if (buf_sel == 1) {
      pass(first, after, now, before, second);
    } else {
      pass(second, after, now, before, first);
    }
    buf_sel = 3 - buf_sel;
    if (before == 1) return 0;
    after *= now;
  }
}

}  // namespace

bool fft_variant_supported(fft_variant variant) {
  switch (variant) {
    case fft_variant::avx512: return __builtin_cpu_supports("avx512f") != 0;
    case fft_variant::avx2: return __builtin_cpu_supports("avx2") != 0;
    case fft_variant::baseline: break;
  }
  return true;
}

fft_variant fft_best_variant() {
  if (fft_variant_supported(fft_variant::avx512)) return fft_variant::avx512;
  if (fft_variant_supported(fft_variant::avx2)) return fft_variant::avx2;
  return fft_variant::baseline;
}

// The pass reads `in` as (a, b, k) and writes `out` as (a, j, b): index
// a + after * b + after * before * k, and a + after * j + after * now * b.
// Output (a, j, b) is Horner's rule over k of the inputs (a, b, k) with the
// multiplier t = w^(j * after + a), w = (cos, -sin)(twopi / (now * after)),
// t advanced by one complex multiplication per (j, a) step in that order.
int fftstp(const cplx* in, const int32_t& after, const int32_t& now, const int32_t& before, cplx* out) {
  best_pass()(in, after, now, before, out);
  return 0;
}

int fft(cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel) {
  return run_passes(best_pass(), first, second, n, buf_sel);
}

int fft_with(fft_variant variant, cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel) {
  return run_passes(pass_of(variant), first, second, n, buf_sel);
}
