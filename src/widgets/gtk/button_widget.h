#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string_view>

#include "base/gtk/gobject_owner.h"
#include "widgets/button.h"
#include "widgets/gtk/click_sequence.h"
#include "widgets/gtk/mask_region.h"
#include "widgets/gtk/persistent_image.h"

namespace orvane::gtk {

// The skinned button on GTK: a drawing area with its own window, placed in a GtkFixed
// of its form, painting from a persistent image. Native input becomes the button's
// notifications; the button's logic decides everything else.
class iButtonWidget final : private iButtonHost {
 public:
  // A button at `place` (pixels) in `parent`.
  iButtonWidget(GtkFixed* parent, const Rect& place);
  ~iButtonWidget();
  iButtonWidget(const iButtonWidget&) = delete;
  iButtonWidget& operator=(const iButtonWidget&) = delete;

  iButton& Logic() { return *logic_; }
  GtkWidget* Widget() const { return widget_.get(); }
  // Moves and sizes the button within its form (pixels).
  void Move(const Rect& place);
  // What has been drawn, at control size (the button's Image).
  PicturePtr Image() { return SnapshotImage(); }

 private:
  // iButtonHost
  Size ControlSize() const override { return size_; }
  void SetControlSize(Size size) override;
  void Clear() override;
  void DrawPicture(const Picture& picture, const Rect& dest) override;
  void DrawPictureNatural(const Picture& picture, Point at) override;
  Size MeasureText(std::string_view text) override;
  void DrawText(std::string_view text, Point at) override;
  void DrawFocusRect(const Rect& rect) override;
  void Present() override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  std::int16_t BackStyle() const override { return back_style_; }
  void SetBackStyle(std::int16_t style) override;
  Colour BackColor() const override { return image_.BackColour(); }
  Colour ForeColor() const override { return fore_colour_; }
  void SetForeColor(Colour colour) override { fore_colour_ = colour; }
  FontSpec Font() const override { return font_; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  std::int16_t DrawMode() const override { return draw_mode_; }
  void SetDrawMode(std::int16_t mode) override { draw_mode_ = mode; }
  void SetMaskPicture(PicturePtr mask) override;
  PicturePtr SnapshotImage() override;
  double DisplayTwipsPerPixelX() const override;
  double DisplayTwipsPerPixelY() const override { return DisplayTwipsPerPixelX(); }
  bool IsPointerOver() override;
  void ShowCursor(SystemCursor cursor) override;
  void StartTimer(int interval_ms) override;
  void StopTimer() override;
  std::unique_ptr<StripSource> OpenStrip(const Picture& strip) override;
  void PropertyChanged(std::string_view name) override;

  void ApplyShape();
  bool Inside(double x, double y) const;

  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static void OnMap(GtkWidget*, gpointer self);
  static void OnRealize(GtkWidget*, gpointer self);
  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self);
  static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
  static gboolean OnKeyRelease(GtkWidget*, GdkEventKey* event, gpointer self);
  static gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self);
  static gboolean OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self);
  static gboolean OnTick(gpointer self);

  GtkFixed* parent_;
  using WidgetOwner = GObjectOwner<GtkWidget>;
  WidgetOwner widget_;
  Size size_;
  PersistentImage image_;
  std::int16_t back_style_ = kButtonInitialBackStyle;
  Colour fore_colour_ = kButtonInitialForeColour;
  FontSpec font_ = ButtonInitialFont();
  std::int16_t draw_mode_ = kButtonInitialDrawMode;
  PicturePtr mask_;
  // The part of the control that shows and takes input in transparent style; null for
  // the whole control.
  UniqueRegion shape_;
  bool shape_dirty_ = false;
  guint timer_ = 0;
  ClickSequence clicks_;
  std::unique_ptr<iButton> logic_;
};

}  // namespace orvane::gtk
