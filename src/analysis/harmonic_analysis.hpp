#pragma once

#include "analysis/fft.hpp"
#include "analysis/spectrum.hpp"
#include "cli/options.hpp"
#include "wav/samples.hpp"

#include <cstdint>
#include <cstdio>
#include <string>

// Sums runs of q consecutive samples, from sample `first` on, into the real
// parts of points[0..N-1] (imaginary parts 0), N = count / q. The sums are
// exact integers. The stretch must lie inside the data with N in
// 1..max_points. Returns N.
int32_t form_points(const sample_view& samples, int64_t first, int32_t count, int32_t q, cplx* points);

// Transforms the n points and measures the result. `points` and `scratch`
// both hold max_points entries; `points` is overwritten.
spectrum analyse_points(cplx* points, cplx* scratch, int32_t n);

// "harmonics:" and the levels of harmonics 1..trunc, eight to a line.
std::string harmonic_table(const spectrum& s, int32_t trunc);

// Where a run writes its files and its text.
struct run_output {
  std::FILE* out = stdout;
  std::FILE* err = stderr;
  std::string wave_path = "out.wav";
};

// The analysis of one stretch: prints the points (when verbose) and the
// harmonic table, then writes the resynthesis and patches the ka1 file.
// Returns 0, or the output-failure status when a file could not be written.
int fourier(const sample_view& samples, int32_t first, int32_t count, const option_record& options,
            const run_output& io);
