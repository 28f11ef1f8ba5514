#pragma once

#include "wav/wav_header.hpp"

#include <cstdint>
#include <cstdio>
#include <span>

// Outcome of reading the 44-byte header, in the order of its three tests.
enum class header_status { ok, not_riff, no_format_chunk, no_data_chunk };

struct wav_header {
  header_status status = header_status::ok;
  riff_header riff;
  format_chunk format;      // valid from status no_data_chunk on
  data_chunk_header data;   // valid with status ok
};

// Reads the header from the first bytes of a file (fewer than 44 when the
// file is that short): 12, then 24, then 8 bytes, each record tested as it
// arrives. The format chunk's body is always taken as 16 bytes.
wav_header read_wav_header(std::span<const uint8_t> first_bytes);

// Reads up to 44 bytes from the start of `file` and tests them.
wav_header read_wav_header(std::FILE* file);
