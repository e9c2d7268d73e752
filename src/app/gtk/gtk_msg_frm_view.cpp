#include "app/gtk/gtk_msg_frm_view.h"

#include <string>

#include "base/colour.h"
#include "base/gtk/guarded.h"
#include "base/product.h"
#include "base/resource_ids.h"
#include "base/units.h"
#include "widgets/button.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/gdk_input.h"
#include "widgets/gtk/rounded_region.h"

namespace orvane::gtk {
namespace {

// The design, in pixels relative to the window's top-left corner.
constexpr Rect kBForm1Design{0, 0, kMsgFrmWidthPixels, 33};
constexpr Rect kLabel1Design{24, 56, 209, 41};
constexpr Rect kIButton1Design{56, 88, 65, 25};
constexpr Rect kIButton2Design{136, 88, 65, 25};
constexpr Rect kCloseBtnDesign{194, 1, 43, 18};
constexpr Colour kFormBackColour = Rgb(255, 255, 255);
// The question in dark grey on the white window.
constexpr char kLabelCss[] = "label { color: #333333; font-size: 9pt; }";

}  // namespace

GtkMsgFrmView::GtkMsgFrmView(MsgFrmEvents& events) : events_(events) {
  window_ = GObjectOwner<GtkWidget>(gtk_window_new(GTK_WINDOW_TOPLEVEL), this,
                                    GObjectOwner<GtkWidget>::Release::kDestroyWidget);
  GtkWindow* window = Window();
  gtk_window_set_decorated(window, FALSE);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_modal(window, TRUE);
  gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(window, TRUE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
  gtk_window_set_default_size(window, kMsgFrmWidthPixels, kMsgFrmHeightPixels);
  gtk_widget_set_size_request(window_.get(), kMsgFrmWidthPixels, kMsgFrmHeightPixels);
  gtk_window_set_title(window, std::string(kClientTitle).c_str());
  g_signal_connect(window_.get(), "delete-event", G_CALLBACK(OnDelete), this);

  overlay_ = gtk_overlay_new();
  gtk_container_add(GTK_CONTAINER(window_.get()), overlay_);
  surface_ = GObjectOwner<GtkWidget>(gtk_drawing_area_new(), this);
  gtk_container_add(GTK_CONTAINER(overlay_), surface_.get());
  g_signal_connect_after(surface_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  fixed_ = gtk_fixed_new();
  gtk_overlay_add_overlay(GTK_OVERLAY(overlay_), fixed_);
  canvas_ = std::make_unique<FormCanvas>(surface_.get(), kFormBackColour);
  GtkFixed* fixed = GTK_FIXED(fixed_);

  bar_ = std::make_unique<BFormWidget>(fixed, kBForm1Design);

  label_ = gtk_label_new(std::string(kExitQuestion).c_str());
  gtk_label_set_line_wrap(GTK_LABEL(label_), TRUE);
  gtk_label_set_xalign(GTK_LABEL(label_), 0.0F);
  gtk_label_set_yalign(GTK_LABEL(label_), 0.0F);
  gtk_widget_set_size_request(label_, kLabel1Design.width, kLabel1Design.height);
  const UniqueGObject<GtkCssProvider> css(gtk_css_provider_new());
  gtk_css_provider_load_from_data(css.get(), kLabelCss, -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(label_),
                                 GTK_STYLE_PROVIDER(css.get()),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  gtk_fixed_put(fixed, label_, kLabel1Design.x, kLabel1Design.y);

  // The answer buttons carry their strips with the window's design.
  auto answer = [&](const Rect& place, int strip, std::string_view caption) {
    auto button = std::make_unique<iButtonWidget>(fixed, place);
    button->Logic().BackPicture(gtk::LoadBitmapPicture(strip));
    button->Logic().AutoSize(false);
    button->Logic().Caption(std::string(caption));
    return button;
  };
  yes_ = answer(kIButton1Design, ORVANE_BITMAP_ANSWER_YES, kYesCaption);
  no_ = answer(kIButton2Design, ORVANE_BITMAP_ANSWER_NO, kNoCaption);
  close_ = std::make_unique<iButtonWidget>(fixed, kCloseBtnDesign);
  gtk_widget_show_all(overlay_);
}

GtkMsgFrmView::~GtkMsgFrmView() {
  if (resize_idle_ != 0) {
    g_source_remove(resize_idle_);
  }
  if (modal_loop_ != nullptr) {
    g_main_loop_quit(modal_loop_);
  }
  g_signal_handlers_disconnect_by_data(window_.get(), this);
  close_.reset();
  no_.reset();
  yes_.reset();
  bar_.reset();
  canvas_.reset();
  surface_.reset();
}

PicturePtr GtkMsgFrmView::LoadBitmapPicture(int id) {
  return gtk::LoadBitmapPicture(id);
}

Size GtkMsgFrmView::ScaleSize() const {
  int width = gtk_widget_get_allocated_width(overlay_);
  int height = gtk_widget_get_allocated_height(overlay_);
  if (!gtk_widget_get_mapped(window_.get())) {
    gtk_window_get_size(Window(), &width, &height);
  }
  return Size{static_cast<int>(PixelsToTwips(width)), static_cast<int>(PixelsToTwips(height))};
}

void GtkMsgFrmView::SetCaptionBarWidth(int twips) {
  bar_->Move(Rect{0, 0, TwipsToPixels(twips), kBForm1Design.height});
}

void GtkMsgFrmView::SetCloseButtonLeft(int twips) {
  close_->Move(
      Rect{TwipsToPixels(twips), kCloseBtnDesign.y, kCloseBtnDesign.width, kCloseBtnDesign.height});
}

void GtkMsgFrmView::SetRoundedRegion(int width, int height, int ellipse) {
  SetWindowRoundedShape(window_.get(), width, height, ellipse);
}

void GtkMsgFrmView::DragWindow() {
  BeginMoveDragFromCurrentEvent(Window());
}

void GtkMsgFrmView::ShowModal() {
  if (modal_loop_ != nullptr) {
    return;
  }
  Guarded("MsgFrm.Form_Resize", [&] { events_.Form_Resize(); });
  gtk_window_present(Window());
  modal_loop_ = g_main_loop_new(nullptr, FALSE);
  g_main_loop_run(modal_loop_);
  g_main_loop_unref(modal_loop_);
  modal_loop_ = nullptr;
  gtk_widget_hide(window_.get());
}

void GtkMsgFrmView::Unload() {
  if (modal_loop_ != nullptr) {
    g_main_loop_quit(modal_loop_);
  }
  gtk_widget_hide(window_.get());
}

void GtkMsgFrmView::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
  auto& view = *static_cast<GtkMsgFrmView*>(self);
  const Size size{allocation->width, allocation->height};
  if (size != view.laid_out_ && view.resize_idle_ == 0) {
    view.laid_out_ = size;
    view.resize_idle_ = g_idle_add(OnResizeIdle, self);
  }
}

gboolean GtkMsgFrmView::OnResizeIdle(gpointer self) {
  auto& view = *static_cast<GtkMsgFrmView*>(self);
  view.resize_idle_ = 0;
  Guarded("MsgFrm.Form_Resize", [&] { view.events_.Form_Resize(); });
  return G_SOURCE_REMOVE;
}

gboolean GtkMsgFrmView::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  // Closed by other means: the answer stays as it was.
  static_cast<GtkMsgFrmView*>(self)->Unload();
  return TRUE;
}

}  // namespace orvane::gtk
