#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace orvane {

// An image a control draws: a skin strip, one cell cut from it, an icon. Like the
// platform's picture objects it reports its size in HIMETRIC (1/100 mm); the controls
// turn that into pixels with the fixed factor.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual double WidthHimetric() const = 0;
  virtual double HeightHimetric() const = 0;
};

// Pictures are shared: a form and the button it gives a strip to hold the same one.
using PicturePtr = std::shared_ptr<const Picture>;

// The size a picture object reports for a bitmap of `pixels`: whole HIMETRIC units.
std::int32_t PictureHimetricFromPixels(int pixels);

// Turns pictures into bytes and back, so that a form can keep them among the stored
// properties of its controls. An empty byte string stands for no picture.
class PictureCodec {
 public:
  virtual std::vector<std::uint8_t> Encode(const Picture& picture) = 0;
  // No picture for bytes it cannot read.
  virtual PicturePtr Decode(std::span<const std::uint8_t> bytes) = 0;

 protected:
  ~PictureCodec() = default;
};

}  // namespace orvane
