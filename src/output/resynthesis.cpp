#include "output/resynthesis.hpp"

#include "output/resynthesis_variants.hpp"
#include "wav/wav_header.hpp"

#include <cmath>
#include <cstdio>

namespace {
constexpr double pi = 3.141592653589793;

// The vector sine differs from the scalar one by a few units in the last
// place. Scaled by at most 32767 / total over at most a few thousand
// partials, that moves a value by far less than this, so truncation can
// only come out differently for values this close to an integer.
constexpr double recheck_distance = 1e-6;
}  // namespace

double resynthesis_total(const spectrum& s, int32_t trunc) {
  double total = 0.0;
  for (int32_t h = 1; h <= trunc; ++h) total += s.harmonic(h);
  return total;
}

int16_t resynthesis_sample(const spectrum& s, int32_t trunc, double total, int32_t i, int32_t count) {
  if (total == 0.0) return 0;
  // The phase is computed afresh for every sample, never accumulated.
  const double phase = 2 * pi * i / count;
  double sum = 0.0;
  for (int32_t j = 1; j <= trunc; ++j) sum += std::sin(phase * j) * s.harmonic(j);
  const double value = sum * 32767 / total;
  // |sum| never exceeds the total, so the value lies in -32767..32767.
  return static_cast<int16_t>(value);
}

bool resynthesis_variant_supported(resynthesis_variant variant) {
  switch (variant) {
    case resynthesis_variant::avx512: return __builtin_cpu_supports("avx512f") != 0;
    case resynthesis_variant::avx2: return __builtin_cpu_supports("avx2") != 0;
    case resynthesis_variant::scalar: break;
  }
  return true;
}

resynthesis_variant resynthesis_best_variant() {
  static const resynthesis_variant best = resynthesis_variant_supported(resynthesis_variant::avx512)
                                              ? resynthesis_variant::avx512
                                          : resynthesis_variant_supported(resynthesis_variant::avx2)
                                              ? resynthesis_variant::avx2
                                              : resynthesis_variant::scalar;
  return best;
}

void resynthesis_block(resynthesis_variant variant, const spectrum& s, int32_t trunc, double total, int32_t first,
                       int32_t length, int32_t count, int16_t* samples) {
  if (variant == resynthesis_variant::scalar || total == 0.0) {
    for (int32_t i = 0; i < length; ++i) samples[i] = resynthesis_sample(s, trunc, total, first + i, count);
    return;
  }
  double values[resynthesis_block_length];
  if (variant == resynthesis_variant::avx512) {
    resynthesis_avx512::scaled_values(s.magnitude.data(), s.points, trunc, total, first, length, count, values);
  } else {
    resynthesis_avx2::scaled_values(s.magnitude.data(), s.points, trunc, total, first, length, count, values);
  }
  for (int32_t i = 0; i < length; ++i) {
    const double value = values[i];
    if (std::fabs(value - std::nearbyint(value)) <= recheck_distance) {
      samples[i] = resynthesis_sample(s, trunc, total, first + i, count);
    } else {
      samples[i] = static_cast<int16_t>(value);
    }
  }
}

bool dump_wave(const spectrum& s, int32_t count, int32_t trunc, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const uint32_t data_bytes = 2 * static_cast<uint32_t>(count);
  const auto header = encode_wav_header(data_bytes);
  bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size();
  const double total = resynthesis_total(s, trunc);
  const resynthesis_variant variant = resynthesis_best_variant();
  // One block at a time: memory stays the same whatever the count.
  int16_t samples[resynthesis_block_length];
  uint8_t bytes[2 * resynthesis_block_length];
  for (int32_t first = 0; first < count && ok; first += resynthesis_block_length) {
    const int32_t length = count - first < resynthesis_block_length ? count - first : resynthesis_block_length;
    resynthesis_block(variant, s, trunc, total, first, length, count, samples);
    for (int32_t i = 0; i < length; ++i) {
      const auto sample = static_cast<uint16_t>(samples[i]);
      bytes[2 * i] = static_cast<uint8_t>(sample);
      bytes[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
    }
    const auto size = 2 * static_cast<std::size_t>(length);
    ok = std::fwrite(bytes, 1, size, file) == size;
  }
  // A full disk often shows only when the buffer is flushed at the close.
  const bool closed = std::fclose(file) == 0;
  return ok && closed;
}
