#include "wav/sample_load.hpp"

#include <algorithm>
#include <new>

namespace {

constexpr std::size_t chunk = 1 << 16;
constexpr uint32_t largest_size = INT32_MAX;

// Counts what the file still holds, up to `limit` bytes, without keeping it.
uint64_t count_remaining(std::FILE* file, uint64_t limit) {
  std::vector<uint8_t> scratch(chunk);
  uint64_t total = 0;
  while (total < limit) {
    const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(chunk, limit - total));
    const std::size_t got = std::fread(scratch.data(), 1, want, file);
    total += got;
    if (got < want) break;
  }
  return total;
}

}  // namespace

sample_load load_samples(std::FILE* file, uint32_t data_size) {
  sample_load load;
  if (data_size > largest_size) {
    load.result = sample_load::outcome::truncated;
    load.bytes_read = count_remaining(file, data_size);
    return load;
  }
  try {
    std::size_t have = 0;
    while (have < data_size) {
      // Grow geometrically, but never past what has been claimed.
      const std::size_t grow = std::min<std::size_t>(data_size - have, std::max(chunk, have));
      load.bytes.resize(have + grow);
      const std::size_t got = std::fread(load.bytes.data() + have, 1, grow, file);
      have += got;
      if (got < grow) {
        load.bytes.clear();
        load.bytes.shrink_to_fit();
        load.result = sample_load::outcome::truncated;
        load.bytes_read = have;
        return load;
      }
    }
  } catch (const std::bad_alloc&) {
    load.bytes.clear();
    load.bytes.shrink_to_fit();
    load.result = sample_load::outcome::out_of_memory;
  }
  return load;
}
