#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/win32/gdiplus_session.h"
#include "app/win32/layered_picture.h"
#include "app/win32/png_resource.h"
#include "app/win32/window_icons.h"
#include "base/win32/window_base.h"
#include "browser/win32/browser_factory.h"
#include "login/login_frm.h"
#include "login/win32/picture_control.h"
#include "widgets/win32/panel_window.h"

namespace orvane::win32 {

// The login screen on Windows: the background window `LoginBgFrm`, a per-pixel-alpha
// layered window showing the background picture, with the taskbar entry, the icons and
// the caption; and the login window `LoginFrm` exactly over it, owned by it, whose
// background colour is keyed out so that only its images and the frame `Picture1` with
// the browser `WebBrowser1` show.
class Win32LoginScreenView final : public LoginScreenView {
 public:
  Win32LoginScreenView(LoginScreenEvents& events, browser::BrowserEvents& browser_events,
                       const BrowserFactory& make_browser);
  // The background window goes first (its picture, drawing surface, imaging session,
  // bitmap objects, its procedure put back, the window), then the login window with the
  // browser.
  ~Win32LoginScreenView() override;
  Win32LoginScreenView(const Win32LoginScreenView&) = delete;
  Win32LoginScreenView& operator=(const Win32LoginScreenView&) = delete;

  browser::Browser& WebBrowser1() override { return *browser_; }
  void LoadBackground(int png_id, std::string_view caption) override;
  void SetBackgroundIcon(const std::string& icon_file, int size) override;
  void SetLoginColourKey(Colour key) override;
  void SetLoginOwner() override;
  void ShowBackground() override;
  void ShowLogin() override;
  void MinimizeBackground() override;
  void DragBackground() override;
  void DragLogin() override;

  HWND LoginBgFrm() const { return background_ ? background_->Window() : nullptr; }
  HWND LoginFrm() const { return login_->Window(); }
  HWND MiniBtn() const { return mini_btn_->hWnd(); }
  HWND CloseBtn() const { return close_btn_->hWnd(); }
  HWND Picture1() const { return picture1_->hWnd(); }
  const LayeredPicture* BackgroundPicture() const {
    return background_ ? background_->Picture() : nullptr;
  }

 private:
  // A top-level window of the pair: reports presses on its own surface and close requests.
  class FormWindow final : public BoundWindow {
   public:
    FormWindow(const wchar_t* class_name, DWORD ex_style, DWORD style, const Rect& place,
               COLORREF back_colour, LoginScreenEvents& events, bool background);
    ~FormWindow();
    HWND Window() const { return hWnd(); }

   private:
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

    UniqueBrush brush_;
    LoginScreenEvents& events_;
    bool background_;
  };

  // The background window from its load to its unload, with what it holds.
  class Background final {
   public:
    Background(LoginScreenEvents& events, HWND login);
    ~Background();
    void Present(int png_id);
    HWND Window() const { return window_.Window(); }
    const LayeredPicture* Picture() const { return picture_.get(); }

   private:
    FormWindow window_;
    std::unique_ptr<GdiplusSession> gdiplus_;
    PngImage image_;
    std::unique_ptr<LayeredPicture> picture_;
  };

  Background& EnsureBackground();

  LoginScreenEvents& events_;
  // Created in this order; the destructor takes them apart as the unload does.
  std::unique_ptr<FormWindow> login_;
  std::unique_ptr<PictureControl> mini_btn_;
  std::unique_ptr<PictureControl> close_btn_;
  std::unique_ptr<PanelWindow> picture1_;
  std::unique_ptr<browser::Browser> browser_;
  WindowIcons icons_;
  std::unique_ptr<Background> background_;
};

}  // namespace orvane::win32
