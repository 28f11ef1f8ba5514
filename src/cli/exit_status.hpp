#pragma once

// Every exit status of the program, in one place. Usage errors end with
// their usage code instead (see usage.hpp); several statuses share a number
// with a usage code, and only the "code N" line of a usage error tells them
// apart.
namespace exit_status {
inline constexpr int success = 0;
inline constexpr int help_shown = 1;
inline constexpr int input_not_opened = 2;
inline constexpr int not_riff = 3;
inline constexpr int no_format_chunk = 4;
inline constexpr int no_data_chunk = 5;
inline constexpr int out_of_memory = 6;
inline constexpr int truncated_data = 7;
inline constexpr int bad_stretch = 9;
inline constexpr int output_failed = 10;
inline constexpr int unsupported_format = 11;
}  // namespace exit_status

// Codes of the usage errors; each is also the exit status of its error.
namespace usage_code {
inline constexpr int no_argument = 1;
inline constexpr int short_argument = 2;
inline constexpr int missing_begin = 4;
inline constexpr int missing_end = 5;
inline constexpr int missing_quant = 6;
inline constexpr int missing_trunc = 7;
inline constexpr int missing_length = 8;
inline constexpr int unknown_option = 20;
}  // namespace usage_code
