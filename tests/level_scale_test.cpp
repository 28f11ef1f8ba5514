#include "analysis/level_scale.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(LevelScale, MapsRatiosToEighthsOfADoubling) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double ratio;
    int level;
  } cases[] = {
      {1, 127},          {0.99, 127},       {0.9, 126},       {0.75, 124},
      {0.5, 119},        {0.25, 111},       {0.1, 101},       {0.01, 74},
      {0.001, 48},       {0.0001, 21},      {std::exp2(-15.8), 1},
      {std::exp2(-15.9), 0}, {std::exp2(-16), 0}, {0.00001, 0},
      {0, 0},            {-0.0, 0},         {nan, 0},         {-inf, 0},
      {inf, 0},          {-0.5, 119},       {2, 135},         {0.93, 127},
      {0.91, 126},       {std::numeric_limits<double>::denorm_min(), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(k5k_scale(c.ratio), c.level) << c.ratio;
}

TEST(LevelScale, ExactPowersOfTwoLandOnTheirLevel) {
  for (int k = 0; k <= 15; ++k) EXPECT_EQ(k5k_scale(std::ldexp(1.0, -k)), 127 - 8 * k) << "2^-" << k;
}

}  // namespace
