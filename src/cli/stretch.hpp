#pragma once

#include "cli/options.hpp"

#include <cstdint>
#include <optional>
#include <string>

// The analysed stretch, both ends inclusive, in 64-bit so that no option
// value near the int32 limits can overflow.
struct stretch {
  int64_t begin = 0;
  int64_t end = 0;
};

// The end of the stretch when none was given (o_end 0): o_begin + o_length
// when a length was given, else the last sample frame of the data chunk,
// at most 4095. block_align must be nonzero.
stretch complete_stretch(const option_record& options, uint32_t data_size, uint16_t block_align);

// Checks the options and the stretch against the `samples` in the data
// chunk before anything is analysed or written. Returns the message of the
// first failing check, or nothing when the stretch can be analysed.
std::optional<std::string> check_stretch(const option_record& options, const stretch& range, int64_t samples);
