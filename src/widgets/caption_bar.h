#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour.h"
#include "base/property_bag.h"
#include "widgets/caption_bar_host.h"
#include "widgets/caption_bar_skin.h"

namespace orvane {

// The events of the caption bar, in their declared order. The bar itself raises only
// DblClick, MouseDown and MouseMove; CloseClick and MinClick belong to the set a
// form expects of a title bar.
class BFormEvents {
 public:
  virtual void CloseClick() {}
  virtual void MinClick() {}
  virtual void DblClick() {}
  virtual void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
  }
  virtual void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
  }

 protected:
  ~BFormEvents() = default;
};

inline constexpr Colour kBarDefaultBackColor = Rgb(236, 233, 218);
static_assert(kBarDefaultBackColor == 14346732, "the back colour a new bar stores");
inline constexpr std::string_view kBarDefaultBackColorText = "14346732";
inline constexpr std::string_view kBarDefaultCaption = "NewForm";
inline constexpr Colour kBarTextColour = Rgb(255, 255, 255);
static_assert(kBarTextColour == 16777215);
inline constexpr double kBarFontPoints = 9;

// The caption bar that stands in for a borderless window's title bar: painted from
// the bar skin, moves its window when dragged, and paints the rest of a window frame
// on request.
class BForm {
 public:
  // The platform has loaded the skin; the bar starts with the default back colour
  // and caption and no frmHwnd.
  explicit BForm(BFormHost& host);
  BForm(const BForm&) = delete;
  BForm& operator=(const BForm&) = delete;

  void SetEvents(BFormEvents* owner) { owner_ = owner; }

  // The back colour as a decimal text. Writing a text that is not a number throws
  // NumberedError 13 and keeps the colour.
  std::string BackColor() const;
  void BackColor(std::string_view text);
  const std::string& Caption() const { return caption_; }
  void Caption(std::string caption);
  bool HasLogo() const { return has_logo_; }
  void HasLogo(bool has_logo);
  WindowHandle frmHwnd() const { return frm_hwnd_; }
  void frmHwnd(WindowHandle window);

  // Paints the left, right and bottom border and the bottom corners onto `frm`.
  void Printform(SkinTarget& frm);
  // Covers the bar near its right end with the patch piece.
  void Nomin();

  void WriteProperties(PropertyBag& bag) const;
  void ReadProperties(const PropertyBag& bag);

  // Native notifications; positions are pixels in the bar.
  void OnResize();
  void OnMouseDown(std::int16_t button, std::int16_t shift, int x, int y);
  void OnMouseMove(std::int16_t button, std::int16_t shift, int x, int y);
  void OnDblClick();

  Colour BackColorValue() const { return back_colour_; }

 private:
  void PaintBar(const std::string& caption);
  void CopyPlan(SkinTarget& target, const std::vector<PieceCopy>& plan);
  BFormEvents& Raise() const;

  BFormHost& host_;
  BFormEvents* owner_ = nullptr;
  std::string caption_;
  bool has_logo_ = false;
  WindowHandle frm_hwnd_ = 0;
  Colour back_colour_ = kBarDefaultBackColor;
};

}  // namespace orvane
