#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <optional>
#include <string_view>

#include "base/gtk/gobject_owner.h"
#include "widgets/caption_bar.h"
#include "widgets/gtk/click_sequence.h"
#include "widgets/gtk/persistent_image.h"

namespace orvane::gtk {

// The number that names a form's window to the caption bar (its frmHwnd): the X window
// of the form's top-level window; 0 when it has none yet.
WindowHandle WindowHandleOf(GtkWidget* toplevel);

// The caption bar on GTK: a drawing area in its form's GtkFixed, painted from the bar
// skin; dragging it hands the frmHwnd window to the window manager's interactive move.
class BFormWidget final : private BFormHost {
 public:
  // A bar at `place` (pixels) in `parent`, with the skin from bitmap resource 108 (or
  // `skin`, when given).
  BFormWidget(GtkFixed* parent, const Rect& place, PicturePtr skin = nullptr);
  ~BFormWidget();
  BFormWidget(const BFormWidget&) = delete;
  BFormWidget& operator=(const BFormWidget&) = delete;

  BForm& Logic() { return *logic_; }
  GtkWidget* Widget() const { return widget_.get(); }
  void Move(const Rect& place);

 private:
  // BFormHost
  Size TargetSize() const override { return size_; }
  void ClearToBackColor() override { image_.Clear(); }
  void CopyPicture(const Picture& picture, const Rect& source, Point dest) override;
  void Present() override { gtk_widget_queue_draw(widget_.get()); }
  PicturePtr Skin() const override { return skin_; }
  void SetBarHeight(int pixels) override;
  void SetBackColor(Colour colour) override { image_.SetBackColour(colour); }
  void PrintText(std::string_view text, Point at) override;
  void ShowCursor(SystemCursor cursor) override;
  void DragWindow(WindowHandle window) override;
  void PropertyChanged(std::string_view name) override;

  void Resized(Size size);

  static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self);
  static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);

  struct PressPoint {
    guint button;
    int x_root;
    int y_root;
    guint32 time;
  };

  GtkFixed* parent_;
  using WidgetOwner = GObjectOwner<GtkWidget>;
  WidgetOwner widget_;
  Size size_;
  PersistentImage image_;
  PicturePtr skin_;
  ClickSequence clicks_;
  std::optional<PressPoint> press_;
  std::unique_ptr<BForm> logic_;
};

}  // namespace orvane::gtk
