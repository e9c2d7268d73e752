#pragma once

#include <cstdint>
#include <limits>

#include "base/numbered_error.h"
#include "widgets/number_text.h"

namespace orvane {

// A stored whole number into a property's width; too large fails with NumberedError 6
// (overflow), as the program's conversions do.
template <typename Int>
Int NarrowInteger(std::int64_t value) {
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    throw NumberedError(kErrOverflow, "Overflow");
  }
  return static_cast<Int>(value);
}

// A stored 32-bit pattern (a colour, a window handle), whether it was kept signed or
// unsigned.
inline std::uint32_t Narrow32Bits(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::uint32_t>::max()) {
    throw NumberedError(kErrOverflow, "Overflow");
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace orvane
