// The widgets demo on Linux: a borderless window with the caption bar, the caption
// buttons, a link button and the frame the bar paints, resizable from its edges.
#include <gtk/gtk.h>

#include <functional>
#include <memory>

#include "base/product.h"
#include "base/resource_ids.h"
#include "base/gtk/gobject_owner.h"
#include "widgets/demo/demo_controls.h"
#include "widgets/demo/demo_layout.h"
#include "widgets/gtk/borderless_window.h"
#include "widgets/gtk/button_widget.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/caption_bar_widget.h"
#include "widgets/gtk/form_canvas.h"

namespace {

using namespace orvane;
using namespace orvane::gtk;

class QuitOnClose final : public cSetStyleEvents {
 public:
  void CloseClick() override { gtk_main_quit(); }
};

class DemoForm {
 public:
  DemoForm() {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    const std::string title(kClientTitle);
    gtk_window_set_title(GTK_WINDOW(window_), title.c_str());
    const int width = TwipsToPixels(demo::kFormWidthTwips);
    const int height = TwipsToPixels(demo::kFormHeightTwips);
    gtk_window_set_default_size(GTK_WINDOW(window_), width, height);
    gtk_window_move(GTK_WINDOW(window_), 100, 100);
    // The form's drawing is the overlay's base, as large as the window; the controls sit
    // above it, so that where they stand never keeps the window from being made smaller.
    GtkWidget* overlay = gtk_overlay_new();
    gtk_container_add(GTK_CONTAINER(window_), overlay);
    surface_ = GObjectOwner<GtkWidget>(gtk_drawing_area_new(), this);
    gtk_container_add(GTK_CONTAINER(overlay), surface_.get());
    fixed_ = gtk_fixed_new();
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), fixed_);
    canvas_ = std::make_unique<FormCanvas>(surface_.get(), demo::kFormBackColour);

    const demo::DemoLayout layout = demo::LayoutFor(width, height);
    controls_ = std::make_unique<Controls>(
        std::make_unique<BFormWidget>(GTK_FIXED(fixed_), layout.bar), layout,
        [this](const Rect& place) {
          return std::make_unique<iButtonWidget>(GTK_FIXED(fixed_), place);
        },
        LoadBitmapPicture,
        demo::DemoActions{[this] { gtk_window_iconify(GTK_WINDOW(window_)); },
                          [this] { ToggleMaximised(); }, [] { gtk_main_quit(); }});
    if (PicturePtr logo = LoadBitmapPicture(ORVANE_BITMAP_LOGO)) {
      logo_picture_ = logo;
      GtkWidget* image = gtk_image_new_from_surface(ImageOf(*logo));
      gtk_fixed_put(GTK_FIXED(fixed_), image, layout.logo.x, layout.logo.y);
    }

    style_.SetEvents(&quit_);
    style_.SetWindowStyle(GTK_WINDOW(window_));
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), nullptr);
    g_signal_connect_after(surface_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
    gtk_widget_show_all(window_);
    controls_->bar->Logic().frmHwnd(WindowHandleOf(window_));
  }

  ~DemoForm() {
    if (relayout_ != 0) {
      g_source_remove(relayout_);
    }
    surface_.reset();
  }

 private:
  void ToggleMaximised() {
    const bool maximised = style_.CallWindowStateChange();
    // A maximised window is not dragged by its caption bar.
    controls_->bar->Logic().frmHwnd(maximised ? 0 : WindowHandleOf(window_));
  }

  // On every size change: the bar across the top, the buttons at the right, the frame.
  void Layout() {
    const int width = gtk_widget_get_allocated_width(surface_.get());
    const int height = gtk_widget_get_allocated_height(surface_.get());
    const demo::DemoLayout layout = demo::LayoutFor(width, height);
    controls_->Place(layout, *canvas_);
  }

  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
    auto& form = *static_cast<DemoForm*>(self);
    const Size size{allocation->width, allocation->height};
    if (size != form.laid_out_ && form.relayout_ == 0) {
      form.laid_out_ = size;
      form.relayout_ = g_idle_add(OnRelayout, self);
    }
  }

  static gboolean OnRelayout(gpointer self) {
    auto& form = *static_cast<DemoForm*>(self);
    form.relayout_ = 0;
    form.Layout();
    return G_SOURCE_REMOVE;
  }

  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer) {
    gtk_main_quit();
    return TRUE;
  }

  GtkWidget* window_ = nullptr;
  GObjectOwner<GtkWidget> surface_;
  GtkWidget* fixed_ = nullptr;
  std::unique_ptr<FormCanvas> canvas_;
  using Controls = demo::DemoControls<BFormWidget, iButtonWidget>;
  std::unique_ptr<Controls> controls_;
  PicturePtr logo_picture_;
  QuitOnClose quit_;
  cSetStyleWindow style_;
  Size laid_out_{};
  guint relayout_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  {
    DemoForm form;
    gtk_main();
  }
  return 0;
}
