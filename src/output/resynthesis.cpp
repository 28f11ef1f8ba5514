#include "output/resynthesis.hpp"

#include "wav/wav_header.hpp"

#include <cmath>
#include <cstdio>

namespace {
constexpr double pi = 3.141592653589793;
}

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

bool dump_wave(const spectrum& s, int32_t count, int32_t trunc, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const uint32_t data_bytes = 2 * static_cast<uint32_t>(count);
  const auto header = encode_wav_header(data_bytes);
  bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size();
  const double total = resynthesis_total(s, trunc);
  for (int32_t i = 0; i < count && ok; ++i) {
    const auto sample = static_cast<uint16_t>(resynthesis_sample(s, trunc, total, i, count));
    const uint8_t bytes[2] = {static_cast<uint8_t>(sample), static_cast<uint8_t>(sample >> 8)};
    ok = std::fwrite(bytes, 1, 2, file) == 2;
  }
  // A full disk often shows only when the buffer is flushed at the close.
  const bool closed = std::fclose(file) == 0;
  return ok && closed;
}
