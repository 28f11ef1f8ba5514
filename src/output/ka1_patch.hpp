#pragma once

#include "analysis/spectrum.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// Layout of the part of a ka1 file that is patched.
namespace ka1 {
inline constexpr long checksum_offset = 254;
inline constexpr long block_offset = 255;  // the checksummed block
inline constexpr std::size_t block_size = 805;
inline constexpr long level_offset = 291;  // harmonic h at 290 + h
inline constexpr int32_t level_slots = 64;
inline constexpr long minimum_size = block_offset + static_cast<long>(block_size);  // 1060
}  // namespace ka1

// ((sum of the block's bytes + 0xA5) mod 256) AND 0x7F.
uint8_t ka1_checksum(std::span<const uint8_t, ka1::block_size> block);

// The checksum byte followed by the block, as it lies at offsets 254..1059.
using ka1_region = std::array<uint8_t, 1 + ka1::block_size>;

// Writes the levels of harmonics 1..min(trunc, 64) into their slots and a
// fresh checksum; slots above trunc keep their bytes.
ka1_region patch_ka1_region(const ka1_region& region, const spectrum& s, int32_t trunc);

enum class ka1_outcome { ok, cannot_open, too_short, write_failed };

// Patches the ka1 file at `path` in place; it is never created. Only the
// level slots written and the checksum byte change. Prints the warning for
// trunc above 64 and every failure's message on `err`. An empty path
// patches nothing and counts as success.
ka1_outcome dump_add(const spectrum& s, int32_t trunc, const std::string& path, std::FILE* err);
