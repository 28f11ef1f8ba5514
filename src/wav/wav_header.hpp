#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The canonical 44-byte header: three records back to back, sample data
// from byte 44 on. Fields are decoded from little-endian bytes with the
// width and signedness the reader takes them in.
struct riff_header {
  std::array<char, 4> chunk_tag{};
  uint32_t riff_size = 0;
  std::array<char, 4> form_type{};
};

struct format_chunk {
  std::array<char, 4> chunk_tag{};
  int32_t chunk_size = 0;
  int16_t format_tag = 0;
  uint16_t channels = 0;
  int32_t samples_per_sec = 0;
  int32_t bytes_per_sec = 0;
  uint16_t block_align = 0;
  uint16_t bits_per_sample = 0;
};

struct data_chunk_header {
  std::array<char, 4> chunk_tag{};
  uint32_t data_size = 0;  // the raw field; printed as a signed value
};

inline constexpr std::size_t riff_header_size = 12;
inline constexpr std::size_t format_chunk_size = 24;
inline constexpr std::size_t data_chunk_header_size = 8;
inline constexpr std::size_t wav_header_size = riff_header_size + format_chunk_size + data_chunk_header_size;

// Each decoder takes exactly its record's bytes.
riff_header decode_riff_header(std::span<const uint8_t, riff_header_size> bytes);
format_chunk decode_format_chunk(std::span<const uint8_t, format_chunk_size> bytes);
data_chunk_header decode_data_chunk_header(std::span<const uint8_t, data_chunk_header_size> bytes);

bool tag_is(const std::array<char, 4>& tag, const char (&expected)[5]);

// 8- or 16-bit mono PCM with a block alignment of 1 or 2.
bool format_supported(const format_chunk& format);

// The verbose listings of the header.
std::string format_listing(const format_chunk& format);
std::string data_chunk_listing(const data_chunk_header& data);

// The header that the resynthesis writes: 16-bit mono PCM at 44100 samples
// per second with `data_bytes` bytes of samples.
std::array<uint8_t, wav_header_size> encode_wav_header(uint32_t data_bytes);
