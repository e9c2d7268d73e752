#pragma once

#include "base/canvas.h"
#include "base/gtk/cairo_handles.h"

namespace orvane::gtk {

// A font made by CairoCanvas: a Pango description of the default GUI font.
class CairoFont final : public Font {
 public:
  CairoFont(UniqueFontDescription description, int weight)
      : description_(std::move(description)), weight_(weight) {}
  int Weight() const override { return weight_; }
  const PangoFontDescription* Description() const { return description_.get(); }

 private:
  UniqueFontDescription description_;
  int weight_;
};

// The desktop's interface font (GtkSettings "gtk-font-name"), "Sans 10" without a display.
UniqueFontDescription DefaultGuiFontDescription();
// Dots per inch that text is laid out at: the screen's, else 96.
double TextResolution();

}  // namespace orvane::gtk
