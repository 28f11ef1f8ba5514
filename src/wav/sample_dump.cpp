#include "wav/sample_dump.hpp"

#include <algorithm>

void print_sample_dump(std::FILE* out, const sample_view& samples, int64_t begin, int64_t end) {
  const int64_t first = std::max<int64_t>(begin, 0);
  const int64_t last = std::min<int64_t>(end, samples.count() - 1);
  const char* format = samples.eight_bit ? "%3lld: %3d\n" : "%3lld: %7d\n";
  for (int64_t i = first; i <= last; ++i) {
    std::fprintf(out, format, static_cast<long long>(i), samples.at(i));
  }
}
