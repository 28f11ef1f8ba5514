#include "analysis/level_scale.hpp"

#include <cmath>

int k5k_scale(double ratio) {
  const double v = 8.0 * std::log(std::fabs(ratio)) / std::log(2.0) + 127.0;
  // A ratio of 0 gives minus infinity and 0/0 gives NaN; converting either
  // to int would be undefined, so they are caught first.
  if (!std::isfinite(v)) return 0;
  const int level = static_cast<int>(std::ceil(v));
  return level < 0 ? 0 : level;
}
