#pragma once

#include <cstdint>

namespace orvane {

// Round to the nearest integer, halves to the even neighbour: the rounding every
// length and position conversion of the client uses.
long long RoundHalfEven(double value);

// 32-bit conversion; out-of-range values saturate.
std::int32_t CLng(double value);
// 16-bit conversion; out-of-range values saturate.
std::int16_t CInt(double value);

}  // namespace orvane
