#include "wav/wav_reader.hpp"

wav_header read_wav_header(std::span<const uint8_t> first_bytes) {
  wav_header header;
  if (first_bytes.size() < riff_header_size) return header.status = header_status::not_riff, header;
  header.riff = decode_riff_header(first_bytes.first<riff_header_size>());
  if (!tag_is(header.riff.chunk_tag, "RIFF")) return header.status = header_status::not_riff, header;

  const auto rest = first_bytes.subspan(riff_header_size);
  if (rest.size() < format_chunk_size) return header.status = header_status::no_format_chunk, header;
  header.format = decode_format_chunk(rest.first<format_chunk_size>());
  if (!tag_is(header.format.chunk_tag, "fmt ")) return header.status = header_status::no_format_chunk, header;

  const auto last = rest.subspan(format_chunk_size);
  if (last.size() < data_chunk_header_size) return header.status = header_status::no_data_chunk, header;
  header.data = decode_data_chunk_header(last.first<data_chunk_header_size>());
  if (!tag_is(header.data.chunk_tag, "data")) header.status = header_status::no_data_chunk;
  return header;
}

wav_header read_wav_header(std::FILE* file) {
  uint8_t bytes[wav_header_size];
  const std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
  return read_wav_header(std::span<const uint8_t>(bytes, got));
}
