#pragma once

#include <gtk/gtk.h>

#include <string>
#include <string_view>

#include "app/gtk/picture_window.h"
#include "browser/gtk/webkit_browser.h"
#include "login/login_frm.h"
#include "widgets/picture.h"

namespace orvane::gtk {

// The login screen on Linux: one picture window (see PictureWindow) showing the background
// picture, with the minimise and close images and the frame holding the web view on it,
// where the login window lies over the background window on Windows. Being one window,
// the pair cannot come apart: the owner, the colour key and the move hook have nothing to
// do here. Its own surface drags it with the window manager's move.
class GtkLoginScreenView final : public LoginScreenView {
 public:
  GtkLoginScreenView(LoginScreenEvents& events, browser::BrowserEvents& browser_events);
  ~GtkLoginScreenView() override;
  GtkLoginScreenView(const GtkLoginScreenView&) = delete;
  GtkLoginScreenView& operator=(const GtkLoginScreenView&) = delete;

  browser::Browser& WebBrowser1() override { return browser_; }
  void LoadBackground(int png_id, std::string_view caption) override;
  void SetBackgroundIcon(const std::string& icon_file, int size) override;
  void SetLoginColourKey(Colour key) override;
  void SetLoginOwner() override;
  void ShowBackground() override;
  void ShowLogin() override;
  void MinimizeBackground() override;
  void DragBackground() override;
  void DragLogin() override;

  GtkWindow* Window() const { return window_.Window(); }
  GtkWidget* MiniBtn() const { return mini_btn_; }
  GtkWidget* CloseBtn() const { return close_btn_; }
  GtkWidget* Picture1() const { return picture1_; }

 private:
  // A picture control: shows its picture at its top-left and reports a click (the left
  // button pressed and released on it).
  struct ImageControl {
    GtkLoginScreenView* view = nullptr;
    PicturePtr picture;
    bool pressed = false;
    void (LoginScreenEvents::*click)() = nullptr;
  };

  GtkWidget* NewImageControl(ImageControl& control, int bitmap_id, int width, int height);
  void BeginMove();

  static gboolean OnWindowPress(GtkWidget* widget, GdkEventButton* event, gpointer self);
  static gboolean OnWindowDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean OnImageDraw(GtkWidget* widget, cairo_t* cr, gpointer control);
  static gboolean OnImagePress(GtkWidget* widget, GdkEventButton* event, gpointer control);
  static gboolean OnImageRelease(GtkWidget* widget, GdkEventButton* event, gpointer control);

  LoginScreenEvents& events_;
  // Created in this order; released in the reverse (the web view before its window).
  PictureWindow window_;
  GtkWidget* surface_;    // the fixed layout over the whole window, owned by the window
  GtkWidget* mini_btn_;   // `MiniBtn`
  GtkWidget* close_btn_;  // `CloseBtn`
  GtkWidget* picture1_;   // `Picture1`: clips the web view to the frame
  ImageControl mini_;
  ImageControl close_;
  WebKitBrowser browser_;
  // The press that starts a drag, as the window manager's move needs it.
  int press_button_ = 0;
  int press_root_x_ = 0;
  int press_root_y_ = 0;
  guint32 press_time_ = 0;
};

}  // namespace orvane::gtk
