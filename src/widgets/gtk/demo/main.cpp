// The widgets demo on Linux: a borderless window with the caption bar, the caption
// buttons, a link button and the frame the bar paints, resizable from its edges.
#include <gtk/gtk.h>

#include <functional>
#include <memory>

#include "base/product.h"
#include "base/resource_ids.h"
#include "widgets/demo/demo_layout.h"
#include "widgets/gtk/borderless_window.h"
#include "widgets/gtk/button_widget.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/caption_bar_widget.h"
#include "widgets/gtk/form_canvas.h"

namespace {

using namespace orvane;
using namespace orvane::gtk;

class OnClick final : public iButtonEvents {
 public:
  explicit OnClick(std::function<void()> action) : action_(std::move(action)) {}
  void Click() override { action_(); }

 private:
  std::function<void()> action_;
};

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
    surface_ = gtk_drawing_area_new();
    gtk_container_add(GTK_CONTAINER(overlay), surface_);
    fixed_ = gtk_fixed_new();
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), fixed_);
    canvas_ = std::make_unique<FormCanvas>(surface_, demo::kFormBackColour);

    const demo::DemoLayout layout = demo::LayoutFor(width, height);
    bar_ = std::make_unique<BFormWidget>(GTK_FIXED(fixed_), layout.bar);
    bar_->Logic().BackColor("14606046");
    bar_->Logic().HasLogo(true);
    bar_->Logic().Caption(demo::kCaption);
    if (PicturePtr logo = LoadBitmapPicture(ORVANE_BITMAP_LOGO)) {
      logo_picture_ = logo;
      GtkWidget* image = gtk_image_new_from_surface(ImageOf(*logo));
      gtk_fixed_put(GTK_FIXED(fixed_), image, layout.logo.x, layout.logo.y);
    }
    menu_ = Button(layout.menu, ORVANE_BITMAP_MENU_BUTTON, [] {});
    minimise_ = Button(layout.minimise, ORVANE_BITMAP_MIN_BUTTON,
                       [this] { gtk_window_iconify(GTK_WINDOW(window_)); });
    maximise_ =
        Button(layout.maximise, ORVANE_BITMAP_MAXRESTORE_BUTTON, [this] { ToggleMaximised(); });
    close_ = Button(layout.close, ORVANE_BITMAP_CLOSE_BUTTON, [] { gtk_main_quit(); });
    maximise_->Logic().Style(1);
    link_ = Button(layout.link, ORVANE_BITMAP_LINK_GAME_SITE, [] {});
    link_->Logic().AutoSize(false);
    link_->Logic().cForeColor(Rgb(255, 255, 255));
    link_->Logic().Caption(demo::kLinkCaption);

    style_.SetEvents(&quit_);
    style_.SetWindowStyle(GTK_WINDOW(window_));
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), nullptr);
    g_signal_connect_after(surface_, "size-allocate", G_CALLBACK(OnSizeAllocate), this);
    gtk_widget_show_all(window_);
    bar_->Logic().frmHwnd(WindowHandleOf(window_));
  }

  ~DemoForm() {
    if (relayout_ != 0) {
      g_source_remove(relayout_);
    }
    g_signal_handlers_disconnect_by_data(surface_, this);
  }

 private:
  std::unique_ptr<iButtonWidget> Button(const Rect& place, int strip,
                                        std::function<void()> action) {
    auto button = std::make_unique<iButtonWidget>(GTK_FIXED(fixed_), place);
    button->Logic().BackPicture(LoadBitmapPicture(strip));
    handlers_.push_back(std::make_unique<OnClick>(std::move(action)));
    button->Logic().SetEvents(handlers_.back().get());
    return button;
  }

  void ToggleMaximised() {
    const bool maximised = style_.CallWindowStateChange();
    // A maximised window is not dragged by its caption bar.
    bar_->Logic().frmHwnd(maximised ? 0 : WindowHandleOf(window_));
  }

  // On every size change: the bar across the top, the buttons at the right, the frame.
  void Layout() {
    const int width = gtk_widget_get_allocated_width(surface_);
    const int height = gtk_widget_get_allocated_height(surface_);
    const demo::DemoLayout layout = demo::LayoutFor(width, height);
    bar_->Move(layout.bar);
    menu_->Move(layout.menu);
    minimise_->Move(layout.minimise);
    maximise_->Move(layout.maximise);
    close_->Move(layout.close);
    link_->Move(layout.link);
    bar_->Logic().Printform(*canvas_);
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
  GtkWidget* surface_ = nullptr;
  GtkWidget* fixed_ = nullptr;
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWidget> bar_;
  PicturePtr logo_picture_;
  std::vector<std::unique_ptr<OnClick>> handlers_;
  std::unique_ptr<iButtonWidget> menu_;
  std::unique_ptr<iButtonWidget> minimise_;
  std::unique_ptr<iButtonWidget> maximise_;
  std::unique_ptr<iButtonWidget> close_;
  std::unique_ptr<iButtonWidget> link_;
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
