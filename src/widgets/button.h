#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/colour.h"
#include "base/property_bag.h"
#include "widgets/button_events.h"
#include "widgets/button_geometry.h"
#include "widgets/button_host.h"
#include "widgets/font_spec.h"
#include "widgets/picture.h"

namespace orvane {

// Pixels of this colour are cut out of a button in transparent style.
inline constexpr Colour kButtonMaskColour = kMagenta;
// The surface's back colour until a form stores another: the usual button face.
inline constexpr Colour kButtonInitialBackColour = Rgb(240, 240, 240);
// What else a new button has before a form stores its own: opaque, black text in 9-point
// SongTi, drawn with the copy pen (the drawing mode that puts the pen's colour as it is).
inline constexpr std::int16_t kButtonInitialBackStyle = 1;
inline constexpr Colour kButtonInitialForeColour = kBlack;
inline constexpr int kButtonInitialFontPoints = 9;
inline constexpr std::int16_t kButtonInitialDrawMode = 13;
inline FontSpec ButtonInitialFont() {
  return FontSpec{std::string(kSongTiFace), kButtonInitialFontPoints};
}
// Interval of the hover poll.
inline constexpr int kHoverPollMs = 50;

// The skinned button: looks cut from a strip of equal cells, hover noticed by pointer
// moves and its end by polling the window under the pointer, keyboard use by Enter and
// Space. The platform window turns native input into the On... calls in the platform's
// order (press, release, click; for a double-click press, release, click, double-click,
// release) and runs the timer.
class iButton {
 public:
  // Cuts nothing yet (there is no strip) and starts the hover poll.
  explicit iButton(iButtonHost& host);
  ~iButton();
  iButton(const iButton&) = delete;
  iButton& operator=(const iButton&) = delete;

  void SetEvents(iButtonEvents* owner) { owner_ = owner; }

  // Properties.
  const PicturePtr& BackPicture() const { return back_picture_; }
  void BackPicture(PicturePtr strip);
  std::int32_t Style() const { return style_; }
  void Style(std::int32_t style);
  bool Value() const { return value_; }
  void Value(bool value);
  bool Locked() const { return locked_; }
  void Locked(bool locked);
  bool AutoSize() const { return auto_size_; }
  void AutoSize(bool auto_size);
  bool Enabled() const;
  void Enabled(bool enabled);
  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption);
  const PicturePtr& Icon() const { return icon_; }
  void Icon(PicturePtr icon);
  std::int16_t cBackStyle() const;
  void cBackStyle(std::int16_t style);
  Colour cForeColor() const;
  void cForeColor(Colour colour);
  FontSpec cFont() const;
  void cFont(const FontSpec& font);
  std::int16_t cDrawMode() const;
  void cDrawMode(std::int16_t mode);

  // Paints state `cAction` when it differs from the one shown, or when forced.
  void cMouseAction(std::int32_t cAction, bool vComplePaint);
  std::int32_t CurrentState();

  // The stored design of the control in a host form.
  void WriteProperties(PropertyBag& bag, PictureCodec& codec) const;
  void ReadProperties(const PropertyBag& bag, PictureCodec& codec);

  // Native notifications. Positions are pixels in the control, buttons and shift
  // states as the events carry them (left 1, right 2, middle 4; shift 1, ctrl 2, alt 4).
  void OnShow();
  void OnResize();
  void OnMouseMove(std::int16_t button, std::int16_t shift, int x, int y);
  void OnMouseDown(std::int16_t button, std::int16_t shift, int x, int y);
  void OnMouseUp(std::int16_t button, std::int16_t shift, int x, int y);
  void OnClick();
  void OnDblClick();
  void OnTimer();
  void OnKeyDown(std::int16_t key_code, std::int16_t shift);
  void OnKeyUp(std::int16_t key_code, std::int16_t shift);
  void OnKeyPress(std::int16_t key_ascii);
  void OnGotFocus();
  void OnLostFocus();

  // What the button is doing, for its window and for checks.
  std::int32_t ShownState() const { return shown_state_; }
  bool Hovering() const { return hovering_; }
  bool LeftHeld() const { return left_held_; }
  bool ImagesReady() const { return images_ready_; }
  // The picture shown for state `s` (none before cells are cut).
  PicturePtr StateImage(std::int32_t s) const;

 private:
  void BuildStateImages();
  void PaintState(std::int32_t s);
  void PaintStateImage();
  void Repaint();
  void DrawFocusMark();
  void FlipValue();
  double WidthTwips() const;
  double HeightTwips() const;
  Size TextSizeTwips(const std::string& text);
  void Changed(std::string_view name);
  // The owner, or a silent stand-in while there is none.
  iButtonEvents& Raise() const;

  iButtonHost& host_;
  iButtonEvents* owner_ = nullptr;

  std::vector<PicturePtr> state_images_;
  bool images_ready_ = false;
  std::int32_t shown_state_ = kStateNormal;
  bool hovering_ = false;
  bool left_held_ = false;
  std::int16_t last_button_ = 0;
  bool shown_once_ = false;
  bool timer_running_ = false;

  PicturePtr back_picture_;
  PicturePtr icon_;
  std::string caption_;
  std::int32_t style_ = 0;
  bool value_ = false;
  bool auto_size_ = true;
  bool locked_ = false;
};

}  // namespace orvane
