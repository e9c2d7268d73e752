#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/win32/window_icons.h"
#include "base/win32/window_base.h"
#include "browser/win32/browser_factory.h"
#include "mainwin/hand_over.h"
#include "mainwin/web_main_frm.h"
#include "mainwin/win32/audio_session_mute.h"
#include "mainwin/win32/dde_server.h"
#include "mainwin/win32/mod_msg.h"
#include "mainwin/win32/shell_notify_icon.h"
#include "tabstrip/win32/utab_window.h"
#include "widgets/win32/borderless_hook.h"
#include "widgets/win32/button_window.h"
#include "widgets/win32/caption_bar_window.h"
#include "widgets/win32/form_canvas.h"
#include "widgets/win32/panel_window.h"

namespace orvane::win32 {

// The main window `WebMainFrm` on Windows: a top-level window without a class cursor (the
// borderless behaviour sets the pointer over it), whose drawing persists on a canvas, with
// the children of its design: the caption bar (at the bottom of the z-order, behind the
// buttons and the strip it lies under), the logo, the tab strip with the page container
// `pCnt`, the placeholder `Picture1` with its idle browser, the caption buttons and the two
// link buttons. The tray, the boss key and the DDE server belong to it.
class WebMainFrmWindow final : public WebMainFrmView,
                               private BoundWindow,
                               private MainWindowMessages {
 public:
  // `hand_over` receives the game addresses of DDE execute requests (none: no server).
  WebMainFrmWindow(WebMainFrmEvents& events, const BrowserFactory& make_browser,
                   HandOverOwner* hand_over);
  // Everything goes in the reverse order of creation, the window last.
  ~WebMainFrmWindow() override;
  WebMainFrmWindow(const WebMainFrmWindow&) = delete;
  WebMainFrmWindow& operator=(const WebMainFrmWindow&) = delete;

  // WebMainFrmView
  BForm& WebBForm() override { return bar_->Logic(); }
  iButton& web_tool() override { return web_tool_->Logic(); }
  iButton& web_min() override { return web_min_->Logic(); }
  iButton& web_minmax() override { return web_minmax_->Logic(); }
  iButton& web_close() override { return web_close_->Logic(); }
  iButton& GameSpaceBtn() override { return game_space_->Logic(); }
  iButton& OtherUserBtn() override { return other_user_->Logic(); }
  uTab& WebuTab() override { return strip_->Strip(); }
  void SetTabToolTipText(const std::string& text) override { strip_->SetToolTipText(text); }
  WindowHandle FormHandle() const override;
  WindowHandle pCnt() const override;
  PicturePtr LoadBitmapPicture(int id) override;
  void SetLogo(const PicturePtr& picture) override { logo_->SetPicture(picture); }
  void SetIconFromFile(const std::string& icon_file, int size) override;
  void SetTitle(std::string_view title) override;
  NotifyIconHost& TrayHost(const TrayMenu& menu) override;
  std::uint32_t TrayWindow() const override;
  std::uint32_t TraySmallIcon() const override;
  void HookHotKey() override;
  void UnhookHotKey() override;
  GameSound* ProgramSound() override { return &program_sound_; }
  void SetWindowStyle(cSetStyleEvents& events) override;
  bool CallWindowStateChange() override;
  void ReleaseWindowStyle() override;
  Size ClientSize() const override;
  Rect WindowRect() const override;
  Size ScreenSize() const override;
  void MoveWindow(int left, int top) override;
  int TabStripHeight() const override;
  void Move(MainWindowControl control, const Rect& twips) override;
  SkinTarget& FormSurface() override { return *canvas_; }
  void SetRoundedRegion(int width, int height, int ellipse) override;
  bool Picture1Visible() const override;
  void HidePicture1() override;
  void RefreshWebBrowser1() override;
  bool Minimized() const override;
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  void Minimize() override;
  void RestoreFromMinimized() override;
  void DragWindow() override;
  void ShowArrowCursor() override;
  void PopUpMenu(const TrayMenu& menu) override;

  // For checks: the native windows.
  HWND Window() const { return hWnd(); }
  HWND CaptionBarWindow() const { return bar_->hWnd(); }
  HWND TabStripWindow() const { return strip_->hWnd(); }
  HWND ContainerWindow() const { return pcnt_->hWnd(); }
  HWND Picture1Window() const { return picture1_->hWnd(); }
  HWND ButtonWindow(MainWindowControl control) const;
  uTabWindow& TabStrip() { return *strip_; }
  const ShellNotifyIcon& Tray() const { return tray_; }
  bool DdeServing() const { return dde_ && dde_->Serving(); }

 private:
  // WebBrowser1 is never navigated: nothing of it reaches the window.
  class IdleBrowserEvents final : public browser::BrowserEvents {
    void DocumentComplete(browser::DocumentId, const std::string&) override {}
    void TitleChange(const std::string&) override {}
    void BeforeNavigate2(const std::string&, bool&) override {}
    void NewWindow(const std::string&, bool& Processed) override { Processed = true; }
  };

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void PlacePlaceholderBrowser(Size picture);

  // MainWindowMessages
  void ToggleMainWindow() override { events_.BossKeyPressed(); }
  void ShowProgramMenu() override { events_.TrayMessage(kTrayRightButtonUp); }
  void TrayCallback(UINT mouse_message) override { events_.TrayMessage(mouse_message); }

  WebMainFrmEvents& events_;
  HandOverOwner* hand_over_;
  // The game's sound, silenced with the window by the boss key.
  AudioSessionMute program_sound_;
  // Created in this order; released in the reverse.
  WindowIcons icons_;
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWindow> bar_;
  std::unique_ptr<PanelWindow> logo_;
  std::unique_ptr<uTabWindow> strip_;
  std::unique_ptr<PanelWindow> pcnt_;
  std::unique_ptr<PanelWindow> picture1_;
  IdleBrowserEvents idle_events_;
  std::unique_ptr<browser::Browser> web_browser1_;
  std::unique_ptr<iButtonWindow> web_tool_;
  std::unique_ptr<iButtonWindow> web_min_;
  std::unique_ptr<iButtonWindow> web_minmax_;
  std::unique_ptr<iButtonWindow> web_close_;
  std::unique_ptr<iButtonWindow> game_space_;
  std::unique_ptr<iButtonWindow> other_user_;
  ShellNotifyIcon tray_;
  std::unique_ptr<cSetStyleHook> style_;
  std::unique_ptr<DdeServer> dde_;
  TrayMenu pending_menu_;
  bool hotkey_hooked_ = false;
};

}  // namespace orvane::win32
