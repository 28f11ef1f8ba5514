#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Builds WAV files for tests from explicit header fields, so that a broken
// header is one changed field. By default: a canonical 16-bit mono PCM
// file at 44100 samples per second whose sizes fit its data.
struct wav_builder {
  std::string riff_tag = "RIFF";
  std::optional<uint32_t> riff_size;  // default: 36 + data bytes
  std::string form_type = "WAVE";
  std::string fmt_tag = "fmt ";
  int32_t fmt_size = 16;
  uint16_t format_tag = 1;
  uint16_t channels = 1;
  int32_t samples_per_sec = 44100;
  std::optional<int32_t> bytes_per_sec;  // default: rate * block alignment
  uint16_t block_align = 2;
  uint16_t bits_per_sample = 16;
  std::vector<uint8_t> fmt_extra;  // bytes after the 16-byte format body
  std::string data_tag = "data";
  std::optional<uint32_t> data_size;  // default: the data bytes given
  std::vector<uint8_t> data;

  static wav_builder pcm16(const std::vector<int16_t>& samples);
  static wav_builder pcm8(const std::vector<uint8_t>& samples);

  std::vector<uint8_t> bytes() const;
};

void write_file(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_file(const std::string& path);
