#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct sample_load {
  enum class outcome { ok, out_of_memory, truncated };
  outcome result = outcome::ok;
  std::vector<uint8_t> bytes;  // exactly data_size bytes when ok
  uint64_t bytes_read = 0;     // with truncated: what the file held after the header
};

// Loads the data chunk, `data_size` bytes, from the current position of
// `file`. The claimed size is never trusted: the buffer grows only with the
// bytes that really arrive, so a header that claims gigabytes in a small
// file fails at once and in little memory. A size of 2^31 or more is
// always refused as truncated.
sample_load load_samples(std::FILE* file, uint32_t data_size);
