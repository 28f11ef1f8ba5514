#include "wav/wav_header.hpp"

#include <algorithm>
#include <cstdio>

namespace {

uint32_t u32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
std::array<char, 4> tag(const uint8_t* p) {
  return {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2]), static_cast<char>(p[3])};
}

void put_u32(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}
void put_u16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}
void put_tag(uint8_t* p, const char (&text)[5]) { std::copy(text, text + 4, p); }

std::string line(const char* label, long value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%-12s: %ld\n", label, value);
  return buffer;
}

}  // namespace

riff_header decode_riff_header(std::span<const uint8_t, riff_header_size> bytes) {
  const uint8_t* p = bytes.data();
  return {tag(p), u32(p + 4), tag(p + 8)};
}

format_chunk decode_format_chunk(std::span<const uint8_t, format_chunk_size> bytes) {
  const uint8_t* p = bytes.data();
  format_chunk format;
  format.chunk_tag = tag(p);
  format.chunk_size = static_cast<int32_t>(u32(p + 4));
  format.format_tag = static_cast<int16_t>(u16(p + 8));
  format.channels = u16(p + 10);
  format.samples_per_sec = static_cast<int32_t>(u32(p + 12));
  format.bytes_per_sec = static_cast<int32_t>(u32(p + 16));
  format.block_align = u16(p + 20);
  format.bits_per_sample = u16(p + 22);
  return format;
}

data_chunk_header decode_data_chunk_header(std::span<const uint8_t, data_chunk_header_size> bytes) {
  const uint8_t* p = bytes.data();
  return {tag(p), u32(p + 4)};
}

bool tag_is(const std::array<char, 4>& tag, const char (&expected)[5]) {
  return std::equal(tag.begin(), tag.end(), expected);
}

bool format_supported(const format_chunk& format) {
  return format.format_tag == 1 && format.channels == 1 &&
         (format.bits_per_sample == 8 || format.bits_per_sample == 16) &&
         (format.block_align == 1 || format.block_align == 2);
}

std::string format_listing(const format_chunk& format) {
  return "format chunk ...\n" + line("chunk size", format.chunk_size) + line("format tag", format.format_tag) +
         line("channels", format.channels) + line("samples/sec", format.samples_per_sec) +
         line("bytes/sec", format.bytes_per_sec) + line("block align", format.block_align) +
         line("bits/sample", format.bits_per_sample);
}

std::string data_chunk_listing(const data_chunk_header& data) {
  return "data chunk ...\n" + line("chunk size", static_cast<int32_t>(data.data_size));
}

std::array<uint8_t, wav_header_size> encode_wav_header(uint32_t data_bytes) {
  std::array<uint8_t, wav_header_size> bytes{};
  uint8_t* p = bytes.data();
  put_tag(p, "RIFF");
  put_u32(p + 4, data_bytes + 36);
  put_tag(p + 8, "WAVE");
  put_tag(p + 12, "fmt ");
  put_u32(p + 16, 16);
  put_u16(p + 20, 1);       // PCM
  put_u16(p + 22, 1);       // mono
  put_u32(p + 24, 44100);   // samples per second
  put_u32(p + 28, 88200);   // bytes per second
  put_u16(p + 32, 2);       // block alignment
  put_u16(p + 34, 16);      // bits per sample
  put_tag(p + 36, "data");
  put_u32(p + 40, data_bytes);
  return bytes;
}
