#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Input of the whole-run fuzz target: a fixed 24-byte prefix of settings,
// then the bytes of the input WAV file. All numbers are little-endian, so
// the seed generator and the target agree on every field.
//
//   0      flags, see run_flags
//   1      fill byte of the ka1 file (byte i holds fill + 7 * i, mod 256)
//   2..3   size of the ka1 file, taken modulo 2048
//   4..7   -b   8..11 -e   12..15 -l   16..19 -q   20..23 -t   (signed)
//   24..   the input WAV file
namespace run_flags {
inline constexpr uint8_t verbose = 1;
inline constexpr uint8_t ka1_named = 2;
inline constexpr uint8_t ka1_exists = 4;   // else the named file is missing
inline constexpr uint8_t stale_out = 8;    // an old "out.wav" is there before the run
inline constexpr uint8_t out_blocked = 16; // a directory named "out.wav" is in the way
inline constexpr uint8_t ka1_is_dir = 32;  // the named ka1 file is a directory
}  // namespace run_flags

struct run_input {
  uint8_t flags = 0;
  uint8_t ka1_fill = 0;
  uint16_t ka1_size = 0;
  int32_t begin = 0;
  int32_t end = 0;
  int32_t length = 0;
  int32_t quant = 1;
  int32_t trunc = 64;
  std::span<const uint8_t> wav;
};

inline constexpr std::size_t run_prefix_size = 24;

inline int32_t run_input_i32(const uint8_t* p) {
  return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

// Splits fuzz bytes; shorter inputs than the prefix are padded with zeros.
inline run_input decode_run_input(std::span<const uint8_t> bytes) {
  uint8_t prefix[run_prefix_size] = {};
  const std::size_t have = bytes.size() < run_prefix_size ? bytes.size() : run_prefix_size;
  for (std::size_t i = 0; i < have; ++i) prefix[i] = bytes[i];
  run_input in;
  in.flags = prefix[0];
  in.ka1_fill = prefix[1];
  in.ka1_size = static_cast<uint16_t>((prefix[2] | prefix[3] << 8) % 2048);
  in.begin = run_input_i32(prefix + 4);
  in.end = run_input_i32(prefix + 8);
  in.length = run_input_i32(prefix + 12);
  in.quant = run_input_i32(prefix + 16);
  in.trunc = run_input_i32(prefix + 20);
  in.wav = bytes.subspan(have);
  return in;
}

inline std::vector<uint8_t> encode_run_input(const run_input& in) {
  std::vector<uint8_t> out{in.flags, in.ka1_fill, static_cast<uint8_t>(in.ka1_size),
                           static_cast<uint8_t>(in.ka1_size >> 8)};
  for (const int32_t value : {in.begin, in.end, in.length, in.quant, in.trunc}) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
  }
  out.insert(out.end(), in.wav.begin(), in.wav.end());
  return out;
}

inline std::vector<uint8_t> ka1_contents(const run_input& in) {
  std::vector<uint8_t> bytes(in.ka1_size);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(in.ka1_fill + 7 * i);
  return bytes;
}
