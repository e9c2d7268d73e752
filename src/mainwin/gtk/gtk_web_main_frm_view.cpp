#include "mainwin/gtk/gtk_web_main_frm_view.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "app/gtk/icon_file_images.h"
#include "base/colour.h"
#include "base/gtk/guarded.h"
#include "base/resource_ids.h"
#include "base/property_bag.h"
#include "base/units.h"
#include "tabstrip/gtk/widget_handle.h"
#include "widgets/button.h"
#include "widgets/gtk/cairo_picture.h"
#include "widgets/gtk/gdk_input.h"
#include "widgets/gtk/rounded_region.h"

namespace orvane::gtk {
namespace {

// The design rectangles in pixels (the twips of the design divided by 15).
constexpr Rect kWebBFormDesign{0, 0, 1033, 33};
constexpr Rect kPicLogoDesign{7, 2, 29, 29};
constexpr Rect kWebuTabDesign{144, 2, 681, 32};
constexpr Rect kWebToolDesign{840, 1, 24, 18};
constexpr Rect kWebMinDesign{864, 1, 24, 18};
constexpr Rect kWebMinMaxDesign{888, 1, 25, 18};
constexpr Rect kWebCloseDesign{912, 1, 43, 18};
constexpr Rect kGameSpaceDesign{816, 0, 81, 22};
constexpr Rect kOtherUserDesign{712, 0, 99, 22};
// The caption bar's back colour 0xDEDEDE as the bar's property text takes it.
constexpr std::string_view kBarBackColour = "14606046";
constexpr Colour kFormBackColour = Rgb(255, 255, 255);
constexpr Colour kLinkForeColour = Rgb(255, 255, 255);
// The idle browser's own border lies outside the placeholder.
constexpr int kPlaceholderBorder = 2;

Rect ToPixels(const Rect& twips) {
  return Rect{TwipsToPixels(twips.x), TwipsToPixels(twips.y), TwipsToPixels(twips.width),
              TwipsToPixels(twips.height)};
}

// A chosen menu item runs once the pop-up has closed and its activation has returned.
struct MenuRun {
  std::function<void()> run;
};

}  // namespace

GtkWebMainFrmView::GtkWebMainFrmView(WebMainFrmEvents& events) : events_(events) {
  window_ = GObjectOwner<GtkWidget>(gtk_window_new(GTK_WINDOW_TOPLEVEL), this,
                                    GObjectOwner<GtkWidget>::Release::kDestroyWidget);
  GtkWindow* window = Window();
  gtk_window_set_default_size(window, TwipsToPixels(kMainWindowDesignWidthTwips),
                              TwipsToPixels(kMainWindowDesignHeightTwips));
  gtk_window_set_decorated(window, FALSE);
  // Connected before the borderless behaviour's own handler: every close request of the
  // system goes to the close check, and the window never closes by itself.
  g_signal_connect(window_.get(), "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(window_.get(), "window-state-event", G_CALLBACK(OnWindowState), this);

  overlay_ = gtk_overlay_new();
  gtk_container_add(GTK_CONTAINER(window_.get()), overlay_);
  surface_ = GObjectOwner<GtkWidget>(gtk_drawing_area_new(), this);
  gtk_container_add(GTK_CONTAINER(overlay_), surface_.get());
  g_signal_connect_after(surface_.get(), "size-allocate", G_CALLBACK(OnSizeAllocate), this);
  fixed_ = gtk_fixed_new();
  gtk_overlay_add_overlay(GTK_OVERLAY(overlay_), fixed_);
  canvas_ = std::make_unique<FormCanvas>(surface_.get(), kFormBackColour);
  GtkFixed* fixed = GTK_FIXED(fixed_);

  // The caption bar first: every other control lies above it.
  bar_ = std::make_unique<BFormWidget>(fixed, kWebBFormDesign);
  bar_->Logic().BackColor(kBarBackColour);
  bar_->Logic().HasLogo(true);

  logo_ = GObjectOwner<GtkWidget>(gtk_drawing_area_new(), this);
  gtk_widget_set_size_request(logo_.get(), kPicLogoDesign.width, kPicLogoDesign.height);
  gtk_widget_add_events(logo_.get(), GDK_BUTTON_PRESS_MASK | GDK_POINTER_MOTION_MASK);
  g_signal_connect(logo_.get(), "draw", G_CALLBACK(OnLogoDraw), this);
  g_signal_connect(logo_.get(), "button-press-event", G_CALLBACK(OnContentPointer), this);
  g_signal_connect(logo_.get(), "motion-notify-event", G_CALLBACK(OnContentPointer), this);
  gtk_fixed_put(fixed, logo_.get(), kPicLogoDesign.x, kPicLogoDesign.y);

  strip_ = std::make_unique<uTabWidget>();
  PropertyBag bag;
  bag.Write("TabStyle", std::int64_t{1});
  bag.Write("TabLeftSize", std::int64_t{10});
  bag.Write("TabRightSize", std::int64_t{0});
  strip_->ReadProperties(bag);
  gtk_widget_set_size_request(strip_->Widget(), kWebuTabDesign.width, -1);
  gtk_fixed_put(fixed, strip_->Widget(), kWebuTabDesign.x, kWebuTabDesign.y);

  auto link = [&](const Rect& place, int strip, std::string_view caption) {
    auto button = std::make_unique<iButtonWidget>(fixed, place);
    button->Logic().BackPicture(gtk::LoadBitmapPicture(strip));
    button->Logic().AutoSize(false);
    button->Logic().cForeColor(kLinkForeColour);
    button->Logic().Caption(std::string(caption));
    return button;
  };
  other_user_ = link(kOtherUserDesign, ORVANE_BITMAP_LINK_OTHER_ACCOUNT, kOtherUserCaption);
  game_space_ = link(kGameSpaceDesign, ORVANE_BITMAP_LINK_GAME_SITE, kGameSpaceCaption);
  tool_ = std::make_unique<iButtonWidget>(fixed, kWebToolDesign);
  min_ = std::make_unique<iButtonWidget>(fixed, kWebMinDesign);
  minmax_ = std::make_unique<iButtonWidget>(fixed, kWebMinMaxDesign);
  minmax_->Logic().Style(1);
  close_ = std::make_unique<iButtonWidget>(fixed, kWebCloseDesign);

  // The content container: the tab strip lays every page over the whole of it.
  content_ = GObjectOwner<GtkWidget>(gtk_overlay_new(), this);
  gtk_fixed_put(fixed, content_.get(), 0, 0);
  // The placeholder lies over the content area until the first tab opens; a layout clips
  // its idle browser to it.
  picture1_ = GObjectOwner<GtkWidget>(gtk_layout_new(nullptr, nullptr), this);
  gtk_fixed_put(fixed, picture1_.get(), 0, 0);
  web_browser1_ = std::make_unique<WebKitBrowser>(static_cast<browser::BrowserEvents&>(*this));
  gtk_layout_put(GTK_LAYOUT(picture1_.get()), web_browser1_->Widget(), -kPlaceholderBorder,
                 -kPlaceholderBorder);
  gtk_widget_show_all(overlay_);
  // Realized while still hidden: the borderless behaviour maximises to the work area of
  // the monitor the window is on before the window is first shown.
  gtk_widget_realize(window_.get());
}

GtkWebMainFrmView::~GtkWebMainFrmView() {
  if (resize_idle_ != 0) {
    g_source_remove(resize_idle_);
  }
  g_signal_handlers_disconnect_by_data(window_.get(), this);
  boss_key_.reset();
  tray_.reset();
  web_browser1_.reset();
  picture1_.reset();
  // Pages still in the container belong to their tabs, which are gone by now.
  content_.reset();
  close_.reset();
  minmax_.reset();
  min_.reset();
  tool_.reset();
  game_space_.reset();
  other_user_.reset();
  strip_.reset();
  logo_.reset();
  bar_.reset();
  canvas_.reset();
  surface_.reset();
  // The window goes with the borderless behaviour's watch released first.
  style_.SetEvents(nullptr);
}

WindowHandle GtkWebMainFrmView::FormHandle() const {
  return WindowHandleOf(window_.get());
}

WindowHandle GtkWebMainFrmView::pCnt() const {
  return FromWidget(content_.get());
}

PicturePtr GtkWebMainFrmView::LoadBitmapPicture(int id) {
  return gtk::LoadBitmapPicture(id);
}

void GtkWebMainFrmView::SetLogo(const PicturePtr& picture) {
  logo_picture_ = picture;
  gtk_widget_queue_draw(logo_.get());
}

void GtkWebMainFrmView::SetIconFromFile(const std::string& icon_file, int /*size*/) {
  // The window manager and the taskbar pick the size they need from every image of the
  // file, which covers the small and the large icon alike.
  std::vector<UniqueGObject<GdkPixbuf>> images = IconFileImages(icon_file.c_str());
  if (!images.empty()) {
    SetWindowIcons(Window(), images);
  }
}

void GtkWebMainFrmView::SetTitle(std::string_view title) {
  gtk_window_set_title(Window(), std::string(title).c_str());
}

NotifyIconHost& GtkWebMainFrmView::TrayHost(const TrayMenu& menu) {
  if (!tray_) {
    tray_ = std::make_unique<LinuxTray>(
        menu, [this](std::uint32_t message) { events_.TrayMessage(message); },
        ProgramTrayPixmaps());
  }
  return *tray_;
}

void GtkWebMainFrmView::HookHotKey() {
  if (!boss_key_) {
    boss_key_ = std::make_unique<BossKeyGrab>([this] { events_.BossKeyPressed(); });
  }
}

void GtkWebMainFrmView::UnhookHotKey() {
  boss_key_.reset();
}

void GtkWebMainFrmView::SetWindowStyle(cSetStyleEvents& events) {
  style_.SetEvents(&events);
  style_.objForm(Window());
  style_.SetWindowStyle(Window());
}

Size GtkWebMainFrmView::ClientSize() const {
  int width = 0;
  int height = 0;
  if (gtk_widget_get_realized(window_.get()) && gtk_widget_get_mapped(window_.get())) {
    width = gtk_widget_get_allocated_width(overlay_);
    height = gtk_widget_get_allocated_height(overlay_);
  } else {
    gtk_window_get_size(Window(), &width, &height);
  }
  return Size{static_cast<int>(PixelsToTwips(width)), static_cast<int>(PixelsToTwips(height))};
}

Rect GtkWebMainFrmView::WindowRect() const {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  gtk_window_get_position(Window(), &x, &y);
  gtk_window_get_size(Window(), &width, &height);
  return Rect{static_cast<int>(PixelsToTwips(x)), static_cast<int>(PixelsToTwips(y)),
              static_cast<int>(PixelsToTwips(width)), static_cast<int>(PixelsToTwips(height))};
}

Size GtkWebMainFrmView::ScreenSize() const {
  GdkDisplay* display = gtk_widget_get_display(window_.get());
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) {
    monitor = gdk_display_get_monitor(display, 0);
  }
  GdkRectangle area{0, 0, 0, 0};
  if (monitor != nullptr) {
    gdk_monitor_get_geometry(monitor, &area);
  }
  return Size{static_cast<int>(PixelsToTwips(area.width)),
              static_cast<int>(PixelsToTwips(area.height))};
}

void GtkWebMainFrmView::MoveWindow(int left, int top) {
  gtk_window_move(Window(), TwipsToPixels(left), TwipsToPixels(top));
}

int GtkWebMainFrmView::TabStripHeight() const {
  return static_cast<int>(PixelsToTwips(strip_->Strip().StripHeight()));
}

void GtkWebMainFrmView::PlaceWidget(GtkWidget* widget, const Rect& pixels) {
  if (gtk_widget_get_parent(widget) == fixed_) {
    gtk_fixed_move(GTK_FIXED(fixed_), widget, pixels.x, pixels.y);
  }
}

void GtkWebMainFrmView::PlaceContent(GtkWidget* widget, const Rect& pixels) {
  PlaceWidget(widget, pixels);
  gtk_widget_set_size_request(widget, std::max(0, pixels.width), std::max(0, pixels.height));
}

void GtkWebMainFrmView::Move(MainWindowControl control, const Rect& twips) {
  const Rect pixels = ToPixels(twips);
  switch (control) {
    case MainWindowControl::WebBForm:
      bar_->Move(Rect{pixels.x, pixels.y, pixels.width, kWebBFormDesign.height});
      break;
    case MainWindowControl::web_close:
      close_->Move(
          Rect{pixels.x, kWebCloseDesign.y, kWebCloseDesign.width, kWebCloseDesign.height});
      break;
    case MainWindowControl::web_minmax:
      minmax_->Move(
          Rect{pixels.x, kWebMinMaxDesign.y, kWebMinMaxDesign.width, kWebMinMaxDesign.height});
      break;
    case MainWindowControl::web_min:
      min_->Move(Rect{pixels.x, kWebMinDesign.y, kWebMinDesign.width, kWebMinDesign.height});
      break;
    case MainWindowControl::web_tool:
      tool_->Move(Rect{pixels.x, kWebToolDesign.y, kWebToolDesign.width, kWebToolDesign.height});
      break;
    case MainWindowControl::WebuTab: {
      PlaceWidget(strip_->Widget(), pixels);
      int height = -1;
      gtk_widget_get_size_request(strip_->Widget(), nullptr, &height);
      gtk_widget_set_size_request(strip_->Widget(), std::max(0, pixels.width), height);
      break;
    }
    case MainWindowControl::GameSpaceBtn:
      game_space_->Move(
          Rect{pixels.x, kGameSpaceDesign.y, kGameSpaceDesign.width, kGameSpaceDesign.height});
      break;
    case MainWindowControl::OtherUserBtn:
      other_user_->Move(
          Rect{pixels.x, kOtherUserDesign.y, kOtherUserDesign.width, kOtherUserDesign.height});
      break;
    case MainWindowControl::Picture1:
      PlaceContent(picture1_.get(), pixels);
      web_browser1_->Place(browser::BrowserPlacement{-kPlaceholderBorder, -kPlaceholderBorder,
                                                     pixels.width + 2 * kPlaceholderBorder,
                                                     pixels.height + 2 * kPlaceholderBorder});
      break;
    case MainWindowControl::pCnt:
      PlaceContent(content_.get(), pixels);
      break;
  }
}

void GtkWebMainFrmView::SetRoundedRegion(int width, int height, int ellipse) {
  SetWindowRoundedShape(window_.get(), width, height, ellipse);
}

bool GtkWebMainFrmView::Picture1Visible() const {
  return gtk_widget_get_visible(picture1_.get());
}

void GtkWebMainFrmView::HidePicture1() {
  gtk_widget_hide(picture1_.get());
}

bool GtkWebMainFrmView::Minimized() const {
  GdkWindow* window = gtk_widget_get_window(window_.get());
  return window != nullptr && (gdk_window_get_state(window) & GDK_WINDOW_STATE_ICONIFIED) != 0;
}

bool GtkWebMainFrmView::Visible() const {
  return gtk_widget_get_visible(window_.get());
}

void GtkWebMainFrmView::Show() {
  gtk_window_present(Window());
  // A question the program is waiting on (the exit confirmation) stays in front of the
  // window that comes back, also where the window manager keeps no window above others.
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w != nullptr; w = w->next) {
    GtkWindow* other = GTK_WINDOW(w->data);
    if (other != Window() && gtk_window_get_modal(other) &&
        gtk_widget_get_visible(GTK_WIDGET(other))) {
      gtk_window_present(other);
    }
  }
  g_list_free(windows);
}

void GtkWebMainFrmView::Hide() {
  gtk_widget_hide(window_.get());
}

void GtkWebMainFrmView::Minimize() {
  gtk_window_iconify(Window());
}

void GtkWebMainFrmView::RestoreFromMinimized() {
  gtk_window_deiconify(Window());
  gtk_window_present(Window());
}

void GtkWebMainFrmView::DragWindow() {
  BeginMoveDragFromCurrentEvent(Window());
}

void GtkWebMainFrmView::ShowArrowCursor() {
  if (GdkWindow* window = gtk_widget_get_window(window_.get())) {
    gdk_window_set_cursor(window, nullptr);
  }
}

void GtkWebMainFrmView::PopUpMenu(const TrayMenu& menu) {
  GtkWidget* popup = gtk_menu_new();
  for (const TrayMenuItem& item : menu) {
    GtkWidget* entry = item.IsSeparator() ? gtk_separator_menu_item_new()
                                          : gtk_menu_item_new_with_label(item.label.c_str());
    gtk_widget_set_sensitive(entry, item.enabled);
    if (!item.IsSeparator() && item.run) {
      auto* run = new MenuRun{item.run};
      g_signal_connect_data(
          entry, "activate", G_CALLBACK(+[](GtkMenuItem*, gpointer data) {
            // Later, once the menu has gone: the item's action may open a modal window.
            g_idle_add(
                +[](gpointer call) -> gboolean {
                  auto* chosen = static_cast<MenuRun*>(call);
                  Guarded("appmenu", [&] { chosen->run(); });
                  delete chosen;
                  return G_SOURCE_REMOVE;
                },
                new MenuRun{static_cast<MenuRun*>(data)->run});
          }),
          run, +[](gpointer data, GClosure*) { delete static_cast<MenuRun*>(data); },
          GConnectFlags{});
    }
    gtk_menu_shell_append(GTK_MENU_SHELL(popup), entry);
  }
  gtk_widget_show_all(popup);
  if (gtk_widget_get_visible(window_.get())) {
    gtk_menu_attach_to_widget(GTK_MENU(popup), window_.get(), nullptr);
  }
  // The menu goes once closed, after the chosen item's activation has been delivered.
  g_signal_connect(popup, "deactivate", G_CALLBACK(+[](GtkWidget* closed) {
                     g_idle_add_full(
                         G_PRIORITY_DEFAULT_IDLE,
                         +[](gpointer widget) -> gboolean {
                           gtk_widget_destroy(GTK_WIDGET(widget));
                           return G_SOURCE_REMOVE;
                         },
                         closed, nullptr);
                   }),
                   nullptr);
  gtk_menu_popup_at_pointer(GTK_MENU(popup), nullptr);
}

void GtkWebMainFrmView::OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self) {
  auto& view = *static_cast<GtkWebMainFrmView*>(self);
  const Size size{allocation->width, allocation->height};
  if (size != view.laid_out_ && view.resize_idle_ == 0) {
    view.laid_out_ = size;
    // Moving controls from inside an allocation would lose their relayout.
    view.resize_idle_ = g_idle_add(OnResizeIdle, self);
  }
}

gboolean GtkWebMainFrmView::OnResizeIdle(gpointer self) {
  auto& view = *static_cast<GtkWebMainFrmView*>(self);
  view.resize_idle_ = 0;
  Guarded("WebMainFrm.Form_Resize", [&] { view.events_.Form_Resize(); });
  return G_SOURCE_REMOVE;
}

gboolean GtkWebMainFrmView::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
  if ((event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) != 0) {
    auto& view = *static_cast<GtkWebMainFrmView*>(self);
    view.laid_out_ = Size{};
    if (view.resize_idle_ == 0) {
      view.resize_idle_ = g_idle_add(OnResizeIdle, self);
    }
  }
  return FALSE;
}

gboolean GtkWebMainFrmView::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  Guarded("WebMainFrm.QueryUnload",
          [&] { static_cast<GtkWebMainFrmView*>(self)->events_.Form_CloseRequested(); });
  return TRUE;
}

gboolean GtkWebMainFrmView::OnLogoDraw(GtkWidget*, cairo_t* cr, gpointer self) {
  auto& view = *static_cast<GtkWebMainFrmView*>(self);
  if (view.logo_picture_) {
    if (cairo_surface_t* image = ImageOf(*view.logo_picture_)) {
      cairo_set_source_surface(cr, image, 0, 0);
      cairo_paint(cr);
    }
  }
  return FALSE;
}

gboolean GtkWebMainFrmView::OnContentPointer(GtkWidget*, GdkEvent*, gpointer self) {
  Guarded("WebMainFrm.ContentPointer",
          [&] { static_cast<GtkWebMainFrmView*>(self)->events_.ContentPointer(); });
  return FALSE;
}

}  // namespace orvane::gtk
