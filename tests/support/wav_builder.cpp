#include "support/wav_builder.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

void put_u32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void put_u16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}
void put_tag(std::vector<uint8_t>& out, const std::string& tag) {
  for (std::size_t i = 0; i < 4; ++i) out.push_back(i < tag.size() ? static_cast<uint8_t>(tag[i]) : 0);
}

}  // namespace

wav_builder wav_builder::pcm16(const std::vector<int16_t>& samples) {
  wav_builder wav;
  for (const int16_t s : samples) put_u16(wav.data, static_cast<uint16_t>(s));
  return wav;
}

wav_builder wav_builder::pcm8(const std::vector<uint8_t>& samples) {
  wav_builder wav;
  wav.block_align = 1;
  wav.bits_per_sample = 8;
  wav.data = samples;
  return wav;
}

std::vector<uint8_t> wav_builder::bytes() const {
  std::vector<uint8_t> out;
  const auto data_bytes = static_cast<uint32_t>(data.size());
  put_tag(out, riff_tag);
  put_u32(out, riff_size.value_or(36 + data_bytes));
  put_tag(out, form_type);
  put_tag(out, fmt_tag);
  put_u32(out, static_cast<uint32_t>(fmt_size));
  put_u16(out, format_tag);
  put_u16(out, channels);
  put_u32(out, static_cast<uint32_t>(samples_per_sec));
  put_u32(out, static_cast<uint32_t>(bytes_per_sec.value_or(samples_per_sec * block_align)));
  put_u16(out, block_align);
  put_u16(out, bits_per_sample);
  out.insert(out.end(), fmt_extra.begin(), fmt_extra.end());
  put_tag(out, data_tag);
  put_u32(out, data_size.value_or(data_bytes));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
