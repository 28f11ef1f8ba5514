// One pass of the transform, written once and compiled once per instruction
// set: each including file defines FFT_PASS_NAMESPACE and FFT_PASS_LANES
// (doubles per vector) and is compiled with its own target flags, so
// nothing here may be shared between those files (no out-of-line inline
// functions from other headers, everything inside the named namespace).
//
// Every value is formed by the same operations in the same order as the
// plain loop nest: the running multiplier advances by t = t * w, and each
// output is Horner's rule v = v * t + x over the same inputs. The speed
// comes only from doing many of those independent chains side by side:
//  - the multipliers of a pass are computed by the recurrence into the last
//    block of the output array (the outputs of b = before - 1), which the
//    pass overwrites last; each multiplier is read before the one output
//    that lands on its slot is stored;
//  - large factors run many Horner chains of consecutive j at once, one
//    vector lane each, sharing each input value;
//  - small factors run a fully unrolled Horner step per output, with the
//    complex value held as one (re, im) pair, several consecutive a to a
//    vector; with many a, a runs innermost so that memory is read in order,
//    and the multipliers are produced just ahead of the outputs of the
//    first b, so that their serial chain overlaps with that work.
//
// Two facts keep the vector forms bit-identical to the scalar formulas:
// x - y is exactly x + (-y), and negating a factor negates the rounded
// product; addition is commutative. Nothing is fused: the including files
// are compiled without FMA and with tree vectorisation off, and a CI
// disassembly check guards that.

#include "analysis/fft.hpp"

#include <cmath>
#include <cstdint>

#ifndef FFT_PASS_NAMESPACE
#error "define FFT_PASS_NAMESPACE and FFT_PASS_LANES before including fft_pass.hpp"
#endif
#ifndef FFT_PASS_A_INNER_FROM
#define FFT_PASS_A_INNER_FROM 8
#endif

namespace FFT_PASS_NAMESPACE {
namespace {

constexpr int lanes = FFT_PASS_LANES;
constexpr double twopi = 6.283185307179586;
// From this many a on, small factors run with a innermost.
constexpr int32_t a_inner_from = FFT_PASS_A_INNER_FROM;

typedef double wide __attribute__((vector_size(lanes * sizeof(double))));
typedef int64_t wide_mask __attribute__((vector_size(lanes * sizeof(double))));
typedef double pair __attribute__((vector_size(2 * sizeof(double))));
typedef int64_t pair_mask __attribute__((vector_size(2 * sizeof(double))));

// Lane permutations with constant indices, as each compiler spells them.
#ifdef __clang__
#define FFT_PASS_SHUFFLE(mask_type, v, ...) __builtin_shufflevector(v, v, __VA_ARGS__)
#else
#define FFT_PASS_SHUFFLE(mask_type, v, ...) __builtin_shuffle(v, mask_type{__VA_ARGS__})
#endif

// (re, im) -> (im, re) in every pair of lanes.
inline pair swap_halves(pair v) { return FFT_PASS_SHUFFLE(pair_mask, v, 1, 0); }
#if FFT_PASS_LANES > 2  // with two lanes, wide and pair are the same type
inline wide swap_halves(wide v) {
#if FFT_PASS_LANES == 8
  return FFT_PASS_SHUFFLE(wide_mask, v, 1, 0, 3, 2, 5, 4, 7, 6);
#else
  return FFT_PASS_SHUFFLE(wide_mask, v, 1, 0, 3, 2);
#endif
}
#endif

// (re, im) -> (re, re) in every pair of lanes.
inline pair real_parts(pair v) { return FFT_PASS_SHUFFLE(pair_mask, v, 0, 0); }
#if FFT_PASS_LANES > 2
inline wide real_parts(wide v) {
#if FFT_PASS_LANES == 8
  return FFT_PASS_SHUFFLE(wide_mask, v, 0, 0, 2, 2, 4, 4, 6, 6);
#else
  return FFT_PASS_SHUFFLE(wide_mask, v, 0, 0, 2, 2);
#endif
}
#endif

// (re, im) -> (-im, im) in every pair of lanes; the sign flip is exact.
inline pair signed_imaginary_parts(pair v) {
  const pair_mask sign{INT64_MIN, 0};
  return reinterpret_cast<pair>(reinterpret_cast<pair_mask>(FFT_PASS_SHUFFLE(pair_mask, v, 1, 1)) ^ sign);
}
#if FFT_PASS_LANES > 2
inline wide signed_imaginary_parts(wide v) {
  wide_mask sign{};
  for (int l = 0; l < lanes; l += 2) sign[l] = INT64_MIN;
#if FFT_PASS_LANES == 8
  const wide odd = FFT_PASS_SHUFFLE(wide_mask, v, 1, 1, 3, 3, 5, 5, 7, 7);
#else
  const wide odd = FFT_PASS_SHUFFLE(wide_mask, v, 1, 1, 3, 3);
#endif
  return reinterpret_cast<wide>(reinterpret_cast<wide_mask>(odd) ^ sign);
}
#endif

inline pair load_pair(const cplx* p) {
  pair v;
  __builtin_memcpy(&v, p, sizeof v);
  return v;
}

inline void store_pair(cplx* p, pair v) { __builtin_memcpy(p, &v, sizeof v); }

inline wide load_wide(const void* p) {
  wide v;
  __builtin_memcpy(&v, p, sizeof v);
  return v;
}

inline void store_wide(void* p, wide v) { __builtin_memcpy(p, &v, sizeof v); }

inline wide broadcast(double x) {
  // Written out, so that it becomes one broadcast instruction.
#if FFT_PASS_LANES == 8
  return wide{x, x, x, x, x, x, x, x};
#elif FFT_PASS_LANES == 4
  return wide{x, x, x, x};
#else
  return wide{x, x};
#endif
}

// The multipliers t_s = w^s of a pass, by the recurrence t = t * w exactly
// as the loop nest advances them, into table[0 .. count - 1]: all at once,
// or (small factors with many a) a little at a time while the outputs of
// the first b are formed, so that the serial chain of multiplications
// overlaps with independent work instead of running alone before it.
struct multiplier_chain {
  cplx* table;
  int64_t count;
  cplx w;
  cplx t{1.0, 0.0};
  int64_t next = 0;

  // Makes table[0 .. end - 1] available (end is capped at count).
  void fill_to(int64_t end) {
    if (end > count) end = count;
    // Locals, so that t stays in registers: reloading it from memory right
    // after storing it in halves would stall every step.
    cplx u = t;
    for (int64_t s = next; s < end; ++s) {
      table[s] = u;
      const double re = u.re * w.re - u.im * w.im;
      const double im = u.re * w.im + u.im * w.re;
      u = {re, im};
    }
    if (end > next) next = end;
    t = u;
  }
};

// ---- large factors: lanes run over consecutive j -------------------------

// The Horner chains of outputs (a, j0 .. j0 + width - 1, b) for every b,
// width <= G * lanes; lanes beyond `width` compute with t = 0 and are
// dropped.
template <int G>
void wide_chunk(const cplx* in, int32_t after, int32_t now, int32_t before, cplx* out, const cplx* table, int32_t a,
                int32_t j0, int32_t width) {
  constexpr int chains = G * lanes;
  constexpr auto groups = static_cast<unsigned>(G);
  constexpr auto slots = static_cast<unsigned>(chains);
  double tre[slots];
  double tim[slots];
  for (int l = 0; l < chains; ++l) {
    if (l < width) {
      const cplx t = table[int64_t{j0 + l} * after + a];
      tre[l] = t.re;
      tim[l] = t.im;
    } else {
      tre[l] = 0.0;
      tim[l] = 0.0;
    }
  }
  wide tr[groups];
  wide ti[groups];
  for (int g = 0; g < G; ++g) {
    tr[g] = load_wide(tre + g * lanes);
    ti[g] = load_wide(tim + g * lanes);
  }
  const int64_t stride_k = int64_t{after} * before;
  const int64_t stride_b_out = int64_t{after} * now;
  for (int32_t b = 0; b < before; ++b) {
    const cplx* column = in + a + int64_t{after} * b;
    wide vr[groups];
    wide vi[groups];
    const cplx top = column[stride_k * (now - 1)];
    for (int g = 0; g < G; ++g) {
      vr[g] = broadcast(top.re);
      vi[g] = broadcast(top.im);
    }
    for (int32_t k = now - 2; k >= 0; --k) {
      const cplx x = column[stride_k * k];
      const wide xr = broadcast(x.re);
      const wide xi = broadcast(x.im);
      for (int g = 0; g < G; ++g) {
        const wide re = (vr[g] * tr[g] - vi[g] * ti[g]) + xr;
        const wide im = (vr[g] * ti[g] + vi[g] * tr[g]) + xi;
        vr[g] = re;
        vi[g] = im;
      }
    }
    double ore[slots];
    double oim[slots];
    for (int g = 0; g < G; ++g) {
      store_wide(ore + g * lanes, vr[g]);
      store_wide(oim + g * lanes, vi[g]);
    }
    cplx* dest = out + a + int64_t{after} * j0 + stride_b_out * b;
    for (int l = 0; l < width; ++l) dest[int64_t{after} * l] = {ore[l], oim[l]};
  }
}

constexpr int max_groups = lanes >= 8 ? 8 : 6;  // measured best; fewer spill registers

void wide_pass(const cplx* in, int32_t after, int32_t now, int32_t before, cplx* out, const cplx* table) {
  constexpr int32_t full = max_groups * lanes;
  for (int32_t a = 0; a < after; ++a) {
    int32_t j0 = 0;
    for (; now - j0 >= full; j0 += full) wide_chunk<max_groups>(in, after, now, before, out, table, a, j0, full);
    const int32_t rest = now - j0;
    if (rest == 0) continue;
    switch ((rest + lanes - 1) / lanes) {
      case 1: wide_chunk<1>(in, after, now, before, out, table, a, j0, rest); break;
      case 2: wide_chunk<2>(in, after, now, before, out, table, a, j0, rest); break;
      case 3: wide_chunk<3>(in, after, now, before, out, table, a, j0, rest); break;
      case 4: wide_chunk<4>(in, after, now, before, out, table, a, j0, rest); break;
      case 5: wide_chunk<5>(in, after, now, before, out, table, a, j0, rest); break;
      case 6: wide_chunk<6>(in, after, now, before, out, table, a, j0, rest); break;
      case 7: wide_chunk<7>(in, after, now, before, out, table, a, j0, rest); break;
      default: wide_chunk<max_groups>(in, after, now, before, out, table, a, j0, rest); break;
    }
  }
}

// ---- small factors: one (re, im) pair per output, unrolled Horner ---------

// v * t + x with t given as (t.re, t.re) and (-t.im, t.im):
// (v.re * t.re + -(v.im * t.im), v.im * t.re + v.re * t.im) + x.
inline pair mul_add(pair v, pair t_re, pair t_im, pair x) {
  const pair swapped = swap_halves(v);
  return (v * t_re + swapped * t_im) + x;
}

// Output (a, j, b) for one a: Horner's rule over the P inputs of its column.
template <int P>
inline pair pair_output(const cplx* column, int64_t stride_k, pair t_re, pair t_im) {
  pair v = load_pair(column + stride_k * (P - 1));
  for (int k = P - 2; k >= 0; --k) v = mul_add(v, t_re, t_im, load_pair(column + stride_k * k));
  return v;
}

// Two such outputs at once, interleaved, so that their chains overlap.
template <int P>
inline void pair_output2(const cplx* column0, const cplx* column1, int64_t stride_k, pair t_re0, pair t_im0,
                         pair t_re1, pair t_im1, cplx* dest0, cplx* dest1) {
  pair v0 = load_pair(column0 + stride_k * (P - 1));
  pair v1 = load_pair(column1 + stride_k * (P - 1));
  for (int k = P - 2; k >= 0; --k) {
    v0 = mul_add(v0, t_re0, t_im0, load_pair(column0 + stride_k * k));
    v1 = mul_add(v1, t_re1, t_im1, load_pair(column1 + stride_k * k));
  }
  store_pair(dest0, v0);
  store_pair(dest1, v1);
}

inline void pair_multiplier(const cplx* table, pair& t_re, pair& t_im) {
  const pair t = load_pair(table);
  t_re = real_parts(t);
  t_im = signed_imaginary_parts(t);
}

// The same for lanes / 2 consecutive a side by side, each with its own
// multiplier.
template <int P>
inline wide wide_output(const cplx* column, int64_t stride_k, wide t_re, wide t_im) {
  wide v = load_wide(column + stride_k * (P - 1));
  for (int k = P - 2; k >= 0; --k) {
    const wide swapped = swap_halves(v);
    v = (v * t_re + swapped * t_im) + load_wide(column + stride_k * k);
  }
  return v;
}

inline void wide_multiplier(const cplx* table, wide& t_re, wide& t_im) {
  const wide t = load_wide(table);
  t_re = real_parts(t);
  t_im = signed_imaginary_parts(t);
}

// Few a and many b: the loop nest's own order, b innermost, so that one
// multiplier serves a whole run of outputs.
template <int P>
void small_pass_b_inner(const cplx* in, int32_t after, int32_t before, cplx* out, const cplx* table) {
  const int64_t stride_k = int64_t{after} * before;
  const int64_t stride_b_out = int64_t{after} * P;
  for (int32_t j = 0; j < P; ++j) {
    for (int32_t a = 0; a < after; ++a) {
      pair t_re, t_im;
      pair_multiplier(table + int64_t{j} * after + a, t_re, t_im);
      const cplx* column = in + a;
      cplx* dest = out + a + int64_t{after} * j;
      int32_t b = 0;
      for (; b + 1 < before; b += 2) {
        pair_output2<P>(column, column + after, stride_k, t_re, t_im, t_re, t_im, dest, dest + stride_b_out);
        column += 2 * int64_t{after};
        dest += 2 * stride_b_out;
      }
      if (b < before) store_pair(dest, pair_output<P>(column, stride_k, t_re, t_im));
    }
  }
}

// Many a: a innermost, so that inputs and outputs are read and written in
// address order instead of with a stride of `after` values.
template <int P>
void small_pass_a_inner(const cplx* in, int32_t after, int32_t before, cplx* out, multiplier_chain& chain) {
  // How far the multipliers run ahead of the outputs that use them: far
  // enough that their stores have left the store buffer before the wide
  // loads read them (a load spanning several pending stores stalls).
  constexpr int64_t ahead = 128;
  const cplx* table = chain.table;
  constexpr int per = lanes / 2;  // complex values per vector
  const int64_t stride_k = int64_t{after} * before;
  const int32_t full = lanes > 2 ? after - after % per : 0;
  for (int32_t b = 0; b < before; ++b) {
    const cplx* block = in + int64_t{after} * b;
    for (int32_t j = 0; j < P; ++j) {
      const cplx* t = table + int64_t{j} * after;
      cplx* dest = out + int64_t{after} * j + int64_t{after} * P * b;
      const int64_t first_s = int64_t{j} * after;
      int32_t a = 0;
      if constexpr (lanes > 2) {
        for (; a < full; a += per) {
          if (b == 0) chain.fill_to(first_s + a + per + ahead);
          wide t_re, t_im;
          wide_multiplier(t + a, t_re, t_im);
          store_wide(dest + a, wide_output<P>(block + a, stride_k, t_re, t_im));
        }
      }
      if constexpr (lanes == 2) {
        for (; a + 1 < after; a += 2) {
          if (b == 0) chain.fill_to(first_s + a + 2 + ahead);
          pair t_re0, t_im0, t_re1, t_im1;
          pair_multiplier(t + a, t_re0, t_im0);
          pair_multiplier(t + a + 1, t_re1, t_im1);
          pair_output2<P>(block + a, block + a + 1, stride_k, t_re0, t_im0, t_re1, t_im1, dest + a, dest + a + 1);
        }
      }
      for (; a < after; ++a) {
        if (b == 0) chain.fill_to(first_s + a + 1 + ahead);
        pair t_re, t_im;
        pair_multiplier(t + a, t_re, t_im);
        store_pair(dest + a, pair_output<P>(block + a, stride_k, t_re, t_im));
      }
    }
  }
}

template <int P>
void small_factor(const cplx* in, int32_t after, int32_t before, cplx* out, multiplier_chain& chain) {
  if (after >= a_inner_from) return small_pass_a_inner<P>(in, after, before, out, chain);
  chain.fill_to(chain.count);
  small_pass_b_inner<P>(in, after, before, out, chain.table);
}

}  // namespace

// One pass: reads `in` as (a, b, k) and writes `out` as (a, j, b).
void pass(const cplx* in, int32_t after, int32_t now, int32_t before, cplx* out) {
  const int64_t total = int64_t{after} * now;
  if (now == 1) {
    // No multiply-add: the pass copies, and its one multiplier is never used.
    for (int64_t i = 0; i < total * before; ++i) out[i] = in[i];
    return;
  }
  const double angle = twopi / (now * after);
  const cplx w{std::cos(angle), -std::sin(angle)};
  multiplier_chain chain{out + total * (before - 1), total, w};
  switch (now) {
    case 2: small_factor<2>(in, after, before, out, chain); return;
    case 3: small_factor<3>(in, after, before, out, chain); return;
    case 5: small_factor<5>(in, after, before, out, chain); return;
    case 7: small_factor<7>(in, after, before, out, chain); return;
    case 11: small_factor<11>(in, after, before, out, chain); return;
    case 13: small_factor<13>(in, after, before, out, chain); return;
    default:
      chain.fill_to(total);
      wide_pass(in, after, now, before, out, chain.table);
      return;
  }
}

}  // namespace FFT_PASS_NAMESPACE
