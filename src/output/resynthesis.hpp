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

// Writes the 44-byte header and `count` samples to `path` (created or
// truncated). Returns false when the file cannot be opened, written or
// closed.
bool dump_wave(const spectrum& s, int32_t count, int32_t trunc, const std::string& path);
