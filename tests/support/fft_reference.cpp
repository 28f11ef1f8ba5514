#include "support/fft_reference.hpp"

#include <cmath>

namespace {

constexpr int32_t prime[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
constexpr int32_t nextmx = 12;
constexpr double twopi = 6.283185307179586;

// One pass: reads `in` as (a, b, k) and writes `out` as (a, j, b).
int reference_fftstp(const cplx* in, const int32_t& after, const int32_t& now, const int32_t& before, cplx* out) {
  const double angle = twopi / (now * after);
  const cplx w{std::cos(angle), -std::sin(angle)};
  cplx t{1.0, 0.0};
  const int64_t stride_k = int64_t{after} * before;
  const int64_t stride_b_out = int64_t{after} * now;
  for (int32_t j = 0; j < now; ++j) {
    for (int32_t a = 0; a < after; ++a) {
      for (int32_t b = 0; b < before; ++b) {
        const cplx* column = in + a + int64_t{after} * b;
        cplx v = column[stride_k * (now - 1)];
        for (int32_t k = now - 2; k >= 0; --k) {
          const cplx x = column[stride_k * k];
          const double re = (v.re * t.re - v.im * t.im) + x.re;
          const double im = (v.re * t.im + v.im * t.re) + x.im;
          v = {re, im};
        }
        out[a + int64_t{after} * j + stride_b_out * b] = v;
      }
      const double re = t.re * w.re - t.im * w.im;
      const double im = t.re * w.im + t.im * w.re;
      t = {re, im};
    }
  }
  return 0;
}

}  // namespace

int reference_fft(cplx* first, cplx* second, const int32_t& n, int32_t& buf_sel) {
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
      reference_fftstp(first, after, now, before, second);
    } else {
      reference_fftstp(second, after, now, before, first);
    }
    buf_sel = 3 - buf_sel;
    if (before == 1) return 0;
    after *= now;
  }
}
