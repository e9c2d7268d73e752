#include "login/gtk/gtk_login_screen_view.h"

#include <optional>
#include <string>
#include <vector>

#include "app/gtk/icon_file_images.h"
#include "app/gtk/png_resource.h"
#include "base/resource_ids.h"
#include "base/resources.h"
#include "widgets/gtk/cairo_picture.h"

namespace orvane::gtk {
namespace {

// The login window's design, relative to its top-left corner, which lies on the
// background's top-left.
constexpr int kMiniBtnLeft = 1048;
constexpr int kMiniBtnTop = 88;
constexpr int kMiniBtnSize = 35;
constexpr int kCloseBtnLeft = 1088;
constexpr int kCloseBtnTop = 80;
constexpr int kCloseBtnSize = 41;
constexpr int kPicture1Left = 389;
constexpr int kPicture1Top = 152;
constexpr int kPicture1Width = 731;
constexpr int kPicture1Height = 369;
// The web view is 20 pixels wider and higher than its frame and starts one pixel before
// it, so that its edges and scroll bars lie outside the frame and are clipped.
constexpr browser::BrowserPlacement kWebBrowser1Place{-1, -1, 751, 389};

}  // namespace

GtkLoginScreenView::GtkLoginScreenView(LoginScreenEvents& events,
                                       browser::BrowserEvents& browser_events)
    : events_(events),
      surface_(gtk_fixed_new()),
      mini_btn_(nullptr),
      close_btn_(nullptr),
      picture1_(nullptr),
      browser_(browser_events) {
  GtkWidget* window = window_.Widget();
  gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(window, "button-press-event", G_CALLBACK(OnWindowPress), this);
  g_signal_connect(window, "delete-event", G_CALLBACK(OnWindowDelete), this);
  gtk_container_add(GTK_CONTAINER(window), surface_);

  mini_.click = &LoginScreenEvents::MiniBtn_Click;
  close_.click = &LoginScreenEvents::CloseBtn_Click;
  mini_btn_ = NewImageControl(mini_, ORVANE_BITMAP_LOGIN_MIN, kMiniBtnSize, kMiniBtnSize);
  gtk_fixed_put(GTK_FIXED(surface_), mini_btn_, kMiniBtnLeft, kMiniBtnTop);
  close_btn_ = NewImageControl(close_, ORVANE_BITMAP_LOGIN_CLOSE, kCloseBtnSize, kCloseBtnSize);
  gtk_fixed_put(GTK_FIXED(surface_), close_btn_, kCloseBtnLeft, kCloseBtnTop);

  // A layout has a window of its own, which clips the web view to the frame.
  picture1_ = gtk_layout_new(nullptr, nullptr);
  gtk_widget_set_size_request(picture1_, kPicture1Width, kPicture1Height);
  gtk_fixed_put(GTK_FIXED(surface_), picture1_, kPicture1Left, kPicture1Top);
  gtk_layout_put(GTK_LAYOUT(picture1_), browser_.Widget(), 0, 0);
  browser_.Place(kWebBrowser1Place);
  gtk_widget_show_all(surface_);
}

GtkLoginScreenView::~GtkLoginScreenView() {
  g_signal_handlers_disconnect_by_data(mini_btn_, &mini_);
  g_signal_handlers_disconnect_by_data(close_btn_, &close_);
  g_signal_handlers_disconnect_by_data(window_.Widget(), this);
  // The web view goes first (the browser member), then the window with its controls.
}

GtkWidget* GtkLoginScreenView::NewImageControl(ImageControl& control, int bitmap_id, int width,
                                               int height) {
  control.view = this;
  control.picture = LoadBitmapPicture(bitmap_id);
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, width, height);
  gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
  g_signal_connect(area, "draw", G_CALLBACK(OnImageDraw), &control);
  g_signal_connect(area, "button-press-event", G_CALLBACK(OnImagePress), &control);
  g_signal_connect(area, "button-release-event", G_CALLBACK(OnImageRelease), &control);
  return area;
}

void GtkLoginScreenView::LoadBackground(int png_id, std::string_view caption) {
  window_.Present(LoadPngResource(png_id, ResourceType::Png));
  const std::string title(caption);
  gtk_window_set_title(window_.Window(), title.c_str());
  // The program's own icon until the icon file gives it (also when the file cannot be
  // written).
  if (const std::optional<std::vector<std::uint8_t>> icon =
          LoadResourceBytes(ResourceType::Icon, ORVANE_ICONFILE_MIRAB)) {
    SetWindowIcons(window_.Window(), IconFileImages(*icon));
  }
}

void GtkLoginScreenView::SetBackgroundIcon(const std::string& icon_file, int /*size*/) {
  // The window manager and the taskbar pick the size they need from every image of the
  // file, which covers both the small and the large icon.
  SetWindowIcons(window_.Window(), IconFileImages(icon_file.c_str()));
}

void GtkLoginScreenView::SetLoginColourKey(Colour /*key*/) {
  // The login window's background is the background picture itself: nothing to key out.
}

void GtkLoginScreenView::SetLoginOwner() {
  // One window: the login window's controls cannot leave the background's top-left.
}

void GtkLoginScreenView::ShowBackground() {
  if (!gtk_widget_get_visible(window_.Widget())) {
    gtk_window_set_position(window_.Window(), GTK_WIN_POS_CENTER);
  }
  gtk_widget_show(window_.Widget());
}

void GtkLoginScreenView::ShowLogin() {
  gtk_window_present(window_.Window());
}

void GtkLoginScreenView::MinimizeBackground() {
  gtk_window_iconify(window_.Window());
}

void GtkLoginScreenView::DragBackground() {
  BeginMove();
}

void GtkLoginScreenView::DragLogin() {
  BeginMove();
}

void GtkLoginScreenView::BeginMove() {
  if (press_button_ != 0 && gtk_widget_get_realized(window_.Widget())) {
    gtk_window_begin_move_drag(window_.Window(), press_button_, press_root_x_, press_root_y_,
                               press_time_);
  }
}

gboolean GtkLoginScreenView::OnWindowPress(GtkWidget* widget, GdkEventButton* event,
                                           gpointer self) {
  auto* view = static_cast<GtkLoginScreenView*>(self);
  // Presses on the controls with windows of their own (the images, the web view) that
  // they leave unhandled come here too: only the window's own surface counts.
  if (event->type != GDK_BUTTON_PRESS || event->window != gtk_widget_get_window(widget)) {
    return FALSE;
  }
  view->press_button_ = static_cast<int>(event->button);
  view->press_root_x_ = static_cast<int>(event->x_root);
  view->press_root_y_ = static_cast<int>(event->y_root);
  view->press_time_ = event->time;
  view->events_.LoginBgFrm_MouseDown(event->button == GDK_BUTTON_PRIMARY);
  view->press_button_ = 0;
  return TRUE;
}

gboolean GtkLoginScreenView::OnWindowDelete(GtkWidget*, GdkEvent*, gpointer self) {
  static_cast<GtkLoginScreenView*>(self)->events_.LoginBgFrm_CloseRequested();
  return TRUE;  // the client unloads the window itself
}

gboolean GtkLoginScreenView::OnImageDraw(GtkWidget*, cairo_t* cr, gpointer data) {
  const auto& control = *static_cast<ImageControl*>(data);
  if (control.picture) {
    if (cairo_surface_t* image = ImageOf(*control.picture)) {
      cairo_set_source_surface(cr, image, 0, 0);
      cairo_paint(cr);
    }
  }
  return TRUE;
}

gboolean GtkLoginScreenView::OnImagePress(GtkWidget*, GdkEventButton* event, gpointer data) {
  auto& control = *static_cast<ImageControl*>(data);
  if (event->type == GDK_BUTTON_PRESS && event->button == GDK_BUTTON_PRIMARY) {
    control.pressed = true;
  }
  return TRUE;
}

gboolean GtkLoginScreenView::OnImageRelease(GtkWidget* widget, GdkEventButton* event,
                                            gpointer data) {
  auto& control = *static_cast<ImageControl*>(data);
  if (event->button != GDK_BUTTON_PRIMARY || !control.pressed) {
    return TRUE;
  }
  control.pressed = false;
  // A click is a release over the control after a press on it.
  const bool inside = event->x >= 0 && event->y >= 0 &&
                      event->x < gtk_widget_get_allocated_width(widget) &&
                      event->y < gtk_widget_get_allocated_height(widget);
  if (inside) {
    (control.view->events_.*control.click)();
  }
  return TRUE;
}

}  // namespace orvane::gtk
