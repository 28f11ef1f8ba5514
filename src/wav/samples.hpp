#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The data chunk as loaded, read in the width that the bits per sample
// choose: 8-bit samples are unsigned 0..255 (no offset removed), 16-bit
// samples signed little-endian. An odd last byte of 16-bit data belongs to
// no sample.
struct sample_view {
  std::span<const uint8_t> bytes;
  bool eight_bit = false;

  int64_t count() const {
    return static_cast<int64_t>(eight_bit ? bytes.size() : bytes.size() / 2);
  }
  // i must lie in 0..count()-1.
  int32_t at(int64_t i) const {
    const auto index = static_cast<std::size_t>(i);
    if (eight_bit) return bytes[index];
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[2 * index] | bytes[2 * index + 1] << 8));
  }
};
