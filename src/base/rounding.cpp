#include "base/rounding.h"

#include <cmath>
#include <limits>

namespace orvane {

long long RoundHalfEven(double value) {
  if (std::isnan(value)) {
    // Not a number has no nearest integer; treat it as nothing.
    return 0;
  }
  const double floor_value = std::floor(value);
  const double diff = value - floor_value;
  double result = floor_value;
  if (diff > 0.5) {
    result = floor_value + 1.0;
  } else if (diff == 0.5) {
    // A tie goes to the even neighbour.
    result = std::fmod(floor_value, 2.0) == 0.0 ? floor_value : floor_value + 1.0;
  }
  if (result >= 9.2e18) {
    return std::numeric_limits<long long>::max();
  }
  if (result <= -9.2e18) {
    return std::numeric_limits<long long>::min();
  }
  return static_cast<long long>(result);
}

std::int32_t CLng(double value) {
  const long long r = RoundHalfEven(value);
  if (r > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (r < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(r);
}

std::int16_t CInt(double value) {
  const long long r = RoundHalfEven(value);
  if (r > std::numeric_limits<std::int16_t>::max()) {
    return std::numeric_limits<std::int16_t>::max();
  }
  if (r < std::numeric_limits<std::int16_t>::min()) {
    return std::numeric_limits<std::int16_t>::min();
  }
  return static_cast<std::int16_t>(r);
}

}  // namespace orvane
