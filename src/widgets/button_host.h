#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "base/colour.h"
#include "base/geometry.h"
#include "widgets/font_spec.h"
#include "widgets/picture.h"

namespace orvane {

// The system cursors the controls show.
enum class SystemCursor { kArrow, kHand };

// A strip made ready for cutting (selected into a memory surface on platforms that
// need one); gone with the object.
class StripSource {
 public:
  virtual ~StripSource() = default;
  // A new picture of w x h pixels copied from (x, y) of the strip. Parts that lie
  // outside the strip are cut all the same; what they show is the platform's.
  virtual PicturePtr CutCell(int x, int y, int w, int h) = 0;
};

// What a skinned button needs from the window that shows it. Lengths are pixels of
// the control. The drawing calls go to the control's persistent image, which the
// window shows whenever it needs painting; Present asks it to show the image now.
class iButtonHost {
 public:
  // Size of the control.
  virtual Size ControlSize() const = 0;
  virtual void SetControlSize(Size size) = 0;

  // Persistent image.
  virtual void Clear() = 0;                                                // to the back colour
  virtual void DrawPicture(const Picture& picture, const Rect& dest) = 0;  // stretched
  virtual void DrawPictureNatural(const Picture& picture, Point at) = 0;
  virtual Size MeasureText(std::string_view text) = 0;         // in the surface font
  virtual void DrawText(std::string_view text, Point at) = 0;  // font and text colour
  virtual void DrawFocusRect(const Rect& rect) = 0;            // the system's focus mark
  virtual void Present() = 0;

  // Surface state.
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual std::int16_t BackStyle() const = 0;  // 1 opaque, 0 transparent
  virtual void SetBackStyle(std::int16_t style) = 0;
  virtual Colour BackColor() const = 0;
  virtual Colour ForeColor() const = 0;
  virtual void SetForeColor(Colour colour) = 0;
  virtual FontSpec Font() const = 0;
  virtual void SetFont(const FontSpec& font) = 0;
  virtual std::int16_t DrawMode() const = 0;
  virtual void SetDrawMode(std::int16_t mode) = 0;
  // The picture whose non-mask-colour pixels shape the control in transparent style;
  // null removes it.
  virtual void SetMaskPicture(PicturePtr mask) = 0;
  // The persistent image as it is now, at control size, as a picture.
  virtual PicturePtr SnapshotImage() = 0;
  // Twips per pixel of the display, for the focus mark only.
  virtual double DisplayTwipsPerPixelX() const = 0;
  virtual double DisplayTwipsPerPixelY() const = 0;

  // Pointer and timer.
  // True exactly when the top-most window under the pointer is the control's own.
  virtual bool IsPointerOver() = 0;
  virtual void ShowCursor(SystemCursor cursor) = 0;
  virtual void StartTimer(int interval_ms) = 0;  // ticks come back as iButton::OnTimer
  virtual void StopTimer() = 0;

  virtual std::unique_ptr<StripSource> OpenStrip(const Picture& strip) = 0;
  // A persisted property changed, so that a form designer saves it.
  virtual void PropertyChanged(std::string_view name) = 0;

 protected:
  ~iButtonHost() = default;
};

}  // namespace orvane
