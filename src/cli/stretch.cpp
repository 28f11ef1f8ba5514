#include "cli/stretch.hpp"

#include "analysis/spectrum.hpp"

#include <cstdio>

stretch complete_stretch(const option_record& options, uint32_t data_size, uint16_t block_align) {
  stretch range{options.o_begin, options.o_end};
  if (options.o_end != 0) return range;
  if (options.o_length != 0) {
    range.end = int64_t{options.o_begin} + options.o_length;
  } else {
    // The data size is taken as a signed value, as the header field reads.
    range.end = int64_t{static_cast<int32_t>(data_size)} / block_align - 1;
    if (range.end > 4095) range.end = 4095;
  }
  return range;
}

std::optional<std::string> check_stretch(const option_record& options, const stretch& range, int64_t samples) {
  char message[160];
  if (options.o_quant < 1) return "-q must be at least 1\n";
  if (options.o_trunc > max_points) return "-t must be at most 4096\n";
  if (range.begin > range.end) {
    std::snprintf(message, sizeof message, "stretch %lld to %lld is empty\n", static_cast<long long>(range.begin),
                  static_cast<long long>(range.end));
    return message;
  }
  if (range.begin < 0 || range.end >= samples) {
    std::snprintf(message, sizeof message, "stretch %lld to %lld lies outside the data (%lld samples)\n",
                  static_cast<long long>(range.begin), static_cast<long long>(range.end),
                  static_cast<long long>(samples));
    return message;
  }
  const int64_t count = range.end - range.begin + 1;
  const int64_t points = count / options.o_quant;
  if (points < 1 || points > max_points) {
    std::snprintf(message, sizeof message, "stretch of %lld samples makes %lld analysis points, not 1 to 4096\n",
                  static_cast<long long>(count), static_cast<long long>(points));
    return message;
  }
  return std::nullopt;
}
