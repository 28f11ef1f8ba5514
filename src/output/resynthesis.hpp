#pragma once

#include "analysis/spectrum.hpp"

#include <cstdint>
#include <string>

// The scale of the resynthesis: magnitudes of harmonics 1..trunc added in
// order (0 when trunc is below 1).
double resynthesis_total(const spectrum& s, int32_t trunc);

// Sample i of one period of `count` samples: the sum of sine partials
// 1..trunc with the measured magnitudes, all at phase zero, scaled by
// 32767 / total and truncated toward zero; 0 when the total is 0.
int16_t resynthesis_sample(const spectrum& s, int32_t trunc, double total, int32_t i, int32_t count);

// How the samples are computed: one at a time with the scalar sine, or
// several at a time with the C library's vector sine. All give the same
// samples.
enum class resynthesis_variant { scalar, avx2, avx512 };

// Whether this processor can run `variant`.
bool resynthesis_variant_supported(resynthesis_variant variant);

// The variant that dump_wave uses: the widest one supported.
resynthesis_variant resynthesis_best_variant();

// The most samples one call of resynthesis_block computes.
inline constexpr int32_t resynthesis_block_length = 2048;

// Samples first .. first + length - 1 (length at most
// resynthesis_block_length) of a period of `count`, exactly as
// resynthesis_sample gives them, into samples[0 .. length - 1].
void resynthesis_block(resynthesis_variant variant, const spectrum& s, int32_t trunc, double total, int32_t first,
                       int32_t length, int32_t count, int16_t* samples);

// Writes the 44-byte header and `count` samples to `path` (created or
// truncated). Returns false when the file cannot be opened, written or
// closed.
bool dump_wave(const spectrum& s, int32_t count, int32_t trunc, const std::string& path);
