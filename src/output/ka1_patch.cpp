#include "output/ka1_patch.hpp"

#include <algorithm>

uint8_t ka1_checksum(std::span<const uint8_t, ka1::block_size> block) {
  uint8_t sum = 0;
  for (const uint8_t byte : block) sum = static_cast<uint8_t>(sum + byte);
  return static_cast<uint8_t>((sum + 0xA5) & 0x7F);
}

namespace {

int32_t levels_written(int32_t trunc) { return std::clamp(trunc, 0, ka1::level_slots); }

constexpr std::size_t region_index(long offset) { return static_cast<std::size_t>(offset - ka1::checksum_offset); }

bool read_region(std::FILE* file, ka1_region& region) {
  return std::fseek(file, ka1::checksum_offset, SEEK_SET) == 0 &&
         std::fread(region.data(), 1, region.size(), file) == region.size();
}

bool write_at(std::FILE* file, long offset, const uint8_t* bytes, std::size_t size) {
  return std::fseek(file, offset, SEEK_SET) == 0 && std::fwrite(bytes, 1, size, file) == size;
}

}  // namespace

ka1_region patch_ka1_region(const ka1_region& region, const spectrum& s, int32_t trunc) {
  ka1_region patched = region;
  for (int32_t h = 1; h <= levels_written(trunc); ++h) {
    patched[region_index(ka1::level_offset + h - 1)] = static_cast<uint8_t>(harmonic_level(s, h));
  }
  patched[0] = ka1_checksum(std::span<const uint8_t, ka1::block_size>(patched.data() + 1, ka1::block_size));
  return patched;
}

ka1_outcome dump_add(const spectrum& s, int32_t trunc, const std::string& path, std::FILE* err) {
  if (path.empty()) return ka1_outcome::ok;
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  if (file == nullptr) {
    std::fputs("could not open ka1 file\n", err);
    return ka1_outcome::cannot_open;
  }
  ka1_region region{};
  const bool long_enough = std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) >= ka1::minimum_size;
  if (!long_enough) {
    std::fclose(file);
    std::fputs("ka1 file too short, not patched\n", err);
    return ka1_outcome::too_short;
  }
  if (trunc > ka1::level_slots) std::fputs("only the first 64 harmonics will be written to the ka1 file\n", err);

  bool ok = read_region(file, region);
  if (ok) {
    const ka1_region patched = patch_ka1_region(region, s, trunc);
    const auto levels = static_cast<std::size_t>(levels_written(trunc));
    ok = write_at(file, ka1::level_offset, patched.data() + region_index(ka1::level_offset), levels) &&
         write_at(file, ka1::checksum_offset, patched.data(), 1);
  }
  const bool closed = std::fclose(file) == 0;
  if (ok && closed) return ka1_outcome::ok;
  std::fputs("could not write ka1 file\n", err);
  return ka1_outcome::write_failed;
}
