#include "analysis/harmonic_analysis.hpp"

#include "cli/exit_status.hpp"
#include "output/ka1_patch.hpp"
#include "output/resynthesis.hpp"

#include <cassert>
#include <cstdio>

int32_t form_points(const sample_view& samples, int64_t first, int32_t count, int32_t q, cplx* points) {
  const int32_t n = count / q;
  assert(first >= 0 && n >= 1 && n <= max_points && first + int64_t{n} * q <= samples.count());
  int64_t index = first;
  for (int32_t i = 0; i < n; ++i) {
    int64_t sum = 0;
    for (int32_t j = 0; j < q; ++j) sum += samples.at(index++);
    points[i] = {static_cast<double>(sum), 0.0};
  }
  return n;
}

spectrum analyse_points(cplx* points, cplx* scratch, int32_t n) {
  for (int32_t i = 0; i < n; ++i) scratch[i] = {0.0, 0.0};
  int32_t buf_sel = 1;
  fft(points, scratch, n, buf_sel);
  return measure_spectrum(buf_sel == 1 ? points : scratch, n);
}

std::string harmonic_table(const spectrum& s, int32_t trunc) {
  std::string table = "harmonics:\n";
  char entry[32];
  for (int32_t h = 1; h <= trunc; ++h) {
    std::snprintf(entry, sizeof entry, "%5d:%3d", h, harmonic_level(s, h));
    table += entry;
    if (h % 8 == 0) table += '\n';
  }
  if (trunc % 8 != 0) table += '\n';
  return table;
}

int fourier(const sample_view& samples, int32_t first, int32_t count, const option_record& options,
            const run_output& io) {
  cplx points[max_points];
  cplx scratch[max_points];

  const int32_t n = form_points(samples, first, count, options.o_quant, points);
  if (options.o_verbose) {
    std::fputs("function:\n", io.out);
    for (int32_t i = 0; i < n; ++i) std::fprintf(io.out, "%14.6lf\n", points[i].re);
  }
  const spectrum s = analyse_points(points, scratch, n);
  std::fputs(harmonic_table(s, options.o_trunc).c_str(), io.out);

  const bool wave_written = dump_wave(s, count, options.o_trunc, io.wave_path);
  if (!wave_written) std::fputs("could not write out.wav\n", io.err);
  const ka1_outcome patched = dump_add(s, options.o_trunc, options.o_ka1_file, io.err);
  return wave_written && patched == ka1_outcome::ok ? exit_status::success : exit_status::output_failed;
}
