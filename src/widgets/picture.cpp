#include "widgets/picture.h"

#include "base/rounding.h"
#include "base/units.h"

namespace orvane {

std::int32_t PictureHimetricFromPixels(int pixels) {
  return CLng(PixelsToHimetric(pixels));
}

}  // namespace orvane
