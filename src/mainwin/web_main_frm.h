#pragma once
// WebMainFrm: the borderless, skinned window in which the game runs, one browser page per
// game tab. It carries the program menu, the tray icon, the F10 boss key, cache clearing,
// the update command, the two publisher buttons, and asks before it closes.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_box.h"
#include "app/msg_frm.h"
#include "app/start_up_ports.h"
#include "base/geometry.h"
#include "base/window_handle.h"
#include "browser/new_window.h"
#include "mainwin/boss_key.h"
#include "mainwin/hand_over.h"
#include "mainwin/main_window_layout.h"
#include "mainwin/notify_icon.h"
#include "mainwin/notify_icon_record.h"
#include "mainwin/tray_menu.h"
#include "mainwin/web_url.h"
#include "tabstrip/utab_events.h"
#include "widgets/borderless.h"
#include "widgets/caption_bar.h"
#include "widgets/picture.h"

namespace orvane {

class iButton;
class uTab;

// The program menu `appmenu`, in its order.
inline constexpr std::string_view kMenuRefresh = "刷新(F5)";
inline constexpr std::string_view kMenuHideRestore = "隐藏/恢复(F10)";
inline constexpr std::string_view kMenuClearCache = "清除缓存";
inline constexpr std::string_view kMenuSeparator = "-";
inline constexpr std::string_view kMenuUpdate = "更新";
inline constexpr std::string_view kMenuVersionPrefix = "版本号:";
inline constexpr std::string_view kMenuExit = "退出";
inline constexpr std::string_view kGameSpaceCaption = "游戏官网";
inline constexpr std::string_view kOtherUserCaption = "登录其他帐号";
inline constexpr std::string_view kCacheClearedMessage = "缓存已清理完毕！";
inline constexpr std::string_view kCacheClearedTitle = "缓存清理";
inline constexpr std::string_view kGameTabKeyPrefix = "Game";
// The tray icon's callback message, kTrayCallbackMessage, comes with the icon's record.
// What the cache clearing searches and keeps (cookies and history).
inline constexpr std::string_view kCacheSearchPattern = "*.*";

// The children of the main window that the layout moves.
enum class MainWindowControl {
  WebBForm,
  web_close,
  web_minmax,
  web_min,
  web_tool,
  WebuTab,
  GameSpaceBtn,
  OtherUserBtn,
  Picture1,
  pCnt,
};

// What the platform reports of the main window itself. The controls' own events (buttons,
// caption bar, tab strip) reach the controller through the controls' logic.
class WebMainFrmEvents {
 public:
  // The window's size or state changed.
  virtual void Form_Resize() = 0;
  // The system asks the window to close (its close command, Alt+F4, the taskbar). The
  // window does not close by itself: the controller decides through its close check.
  virtual void Form_CloseRequested() = 0;
  // The boss key was pressed (anywhere on the desktop).
  virtual void BossKeyPressed() = 0;
  // The tray icon's callback with the mouse message the shell put in lParam.
  virtual void TrayMessage(std::uint32_t mouse_message) = 0;
  // The pointer moved or was pressed over the content container or the logo: the
  // standard arrow cursor undoes a resize cursor left by the window's edge.
  virtual void ContentPointer() = 0;

 protected:
  ~WebMainFrmEvents() = default;
};

// The main window and its children as the design has them, created hidden at the design
// client size. Destroying the view destroys the children and the window in reverse order
// of creation (the tray host and the boss-key registration with them).
class WebMainFrmView {
 public:
  virtual ~WebMainFrmView() = default;

  // The controls' logic.
  virtual BForm& WebBForm() = 0;
  virtual iButton& web_tool() = 0;
  virtual iButton& web_min() = 0;
  virtual iButton& web_minmax() = 0;
  virtual iButton& web_close() = 0;
  virtual iButton& GameSpaceBtn() = 0;
  virtual iButton& OtherUserBtn() = 0;
  virtual uTab& WebuTab() = 0;
  // The tab strip's tooltip text (UTF-8; empty: none).
  virtual void SetTabToolTipText(const std::string& text) = 0;

  // The window as the caption bar's frmHwnd names it, and the content container `pCnt`
  // as the tab strip's hContainerWnd takes it.
  virtual WindowHandle FormHandle() const = 0;
  virtual WindowHandle pCnt() const = 0;

  // One of the program's bitmaps as a picture (null when missing).
  virtual PicturePtr LoadBitmapPicture(int id) = 0;
  // The logo `PicLogo` shows `picture`.
  virtual void SetLogo(const PicturePtr& picture) = 0;
  // The window's icon of `size` pixels (16: small, 32: large) from the icon file at
  // `icon_file`; a missing or unreadable file leaves the icon as it was.
  virtual void SetIconFromFile(const std::string& icon_file, int size) = 0;
  virtual void SetTitle(std::string_view title) = 0;

  // The tray: the platform host that puts the icon on screen, and the values the icon
  // record carries (0 where the platform has no such handle). The host reports clicks
  // back through TrayMessage; `menu` is the program menu for trays that draw it
  // themselves, complete (version item included) when this is called. Asked once, in
  // the load.
  virtual NotifyIconHost& TrayHost(const TrayMenu& menu) = 0;
  virtual std::uint32_t TrayWindow() const = 0;
  virtual std::uint32_t TraySmallIcon() const = 0;

  // The boss key F10, system-wide, reported through BossKeyPressed. Registering it may
  // fail (another program holds it): the key then does nothing.
  virtual void HookHotKey() = 0;
  virtual void UnhookHotKey() = 0;

  // The borderless behaviour `objStyle`: turns on persistent drawing, makes the window
  // borderless and hooks it; `events` receives its CloseClick.
  virtual void SetWindowStyle(cSetStyleEvents& events) = 0;
  // Maximises to the work area or restores; true when the window is now maximised.
  virtual bool CallWindowStateChange() = 0;
  // Releases `objStyle` (its hooks and the window's style stay as they are).
  virtual void ReleaseWindowStyle() = 0;

  // Sizes in twips.
  virtual Size ClientSize() const = 0;
  virtual Rect WindowRect() const = 0;
  virtual Size ScreenSize() const = 0;
  virtual void MoveWindow(int left, int top) = 0;
  virtual int TabStripHeight() const = 0;
  virtual void Move(MainWindowControl control, const Rect& twips) = 0;
  // The window's surface, on which the caption bar paints the frame.
  virtual SkinTarget& FormSurface() = 0;
  // Gives the window a rounded-rectangle region (0, 0)-(width, height) exclusive, pixels.
  virtual void SetRoundedRegion(int width, int height, int ellipse) = 0;

  // The placeholder `Picture1` with its idle browser `WebBrowser1`.
  virtual bool Picture1Visible() const = 0;
  virtual void HidePicture1() = 0;
  virtual void RefreshWebBrowser1() = 0;

  virtual bool Minimized() const = 0;
  virtual bool Visible() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Minimize() = 0;
  // Undoes a minimisation (the window state goes back to normal) and brings the window
  // forward.
  virtual void RestoreFromMinimized() = 0;
  // Releases the mouse and lets the window manager move the window with it, as a press
  // on its caption does.
  virtual void DragWindow() = 0;
  virtual void ShowArrowCursor() = 0;
  // Pops `menu` up at the mouse position; returns at once, the chosen item runs later.
  virtual void PopUpMenu(const TrayMenu& menu) = 0;
  // The platform's own way to silence the game where it silences the whole program at once
  // (Windows: the process's audio session, since its browser control has no mute of its
  // own); null where each page's browser is muted by itself.
  virtual GameSound* ProgramSound() { return nullptr; }
};

// Makes the main window's view, its pages and its confirmation window.
class WebMainFrmViews : public WebUrlViews, public MsgFrmViews {
 public:
  virtual std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) = 0;
};

// Clears the browser's cache of documents and resources; cookies and history stay.
// Blocks until done; reports nothing.
class BrowserCache {
 public:
  virtual ~BrowserCache() = default;
  virtual void ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask) = 0;
};

// The client around the main window.
class WebMainFrmOwner {
 public:
  virtual ~WebMainFrmOwner() = default;
  // "登录其他帐号": shows the login screen again, modeless.
  virtual void ShowLoginScreen() = 0;
  // "更新": the update check in its command form (it may set m_bExit and close).
  virtual void RunUpdateCommand() = 0;
  // The window has unloaded: the program ends.
  virtual void MainWindowUnloaded() = 0;
};

struct WebMainFrmPorts {
  WebMainFrmOwner& owner;
  MessageBoxes& dialogs;
  AddressLauncher& addresses;              // the portal page, in the default browser
  browser::SystemBrowser& system_browser;  // new windows of the game pages
  BrowserCache& cache;
  DeferredCalls& deferred;
};

struct WebMainFrmSettings {
  std::string temp_folder;   // ends in a path separator; holds "mirab.ico"
  std::string portal_page;   // "游戏官网"
  std::string version_text;  // "1.1.0"
};

class WebMainFrm final : public MsgFrmOwner,
                         public HandOverOwner,
                         private WebMainFrmEvents,
                         private IuTabEvents,
                         private BFormEvents,
                         private cSetStyleEvents,
                         private NotifyIconOwner,
                         private BossKeyWindow {
 public:
  WebMainFrm(WebMainFrmViews& views, const WebMainFrmPorts& ports, WebMainFrmSettings settings);
  ~WebMainFrm() override;
  WebMainFrm(const WebMainFrm&) = delete;
  WebMainFrm& operator=(const WebMainFrm&) = delete;

  // Opens the game address in a tab (loading the window on first use).
  void SetURL(const std::string& strURL);
  // Shows the window modeless (loading it on first use). A window the boss key hid comes
  // back as the boss key would bring it, with the game's sound.
  void Show();
  // A close request from anywhere (menu "退出", the close button, the update command):
  // runs the close check once the current event has returned, and unloads the window
  // when it passes. Requests before the check has run make one check. While the
  // confirmation is open a further request opens no second one: the open confirmation
  // answers it, except that a request made with m_bExit True (the updater has started)
  // closes the window whatever the answer.
  void RequestClose();

  bool m_bExit() const { return m_bExit_; }
  void m_bExit(bool value) override { m_bExit_ = value; }

  bool Loaded() const { return view_ != nullptr; }
  bool Unloaded() const { return unloaded_; }

  // HandOverOwner: a game address from a second start or a DDE execute request.
  void OpenGameTab(const std::string& strURL) override;
  void PresentMainWindow() override;

  // The program menu, as the view pops it up and trays that draw menus show it.
  const TrayMenu& appmenu() const { return appmenu_; }

 private:
  class ButtonClick;
  // The position of the item `version` in `appmenu`.
  static constexpr std::size_t kVersionItem = 5;

  void Form_Load();
  void Form_Unload();
  // The unload's steps, in order; also what the destructor does with a loaded window.
  void ReleaseWindow();
  void CloseCheckAndUnload();
  void Layout();
  void MaximiseButtonAction();
  void ToggleVisibility();
  void RefreshCommand();
  void ClearCacheCommand();
  TrayMenu MakeAppMenu();
  std::string VersionCaption() const;
  // The browsers of the game tabs, as the boss key silences them.
  std::vector<browser::Browser*> PageBrowsers();

  // WebMainFrmEvents
  void Form_Resize() override;
  void Form_CloseRequested() override;
  void BossKeyPressed() override;
  void TrayMessage(std::uint32_t mouse_message) override;
  void ContentPointer() override;

  // IuTabEvents
  void TabChanged() override;
  void OnMouseDown(std::int32_t ItemIndex, std::int16_t& Button, std::int16_t& Shift, float& X,
                   float& Y) override;
  void OnMouseHover(std::int32_t ItemIndex, std::int16_t& Button, std::int16_t& Shift, float& X,
                    float& Y) override;
  void OnMouseMove(std::int32_t ItemIndex, std::int16_t& Button, std::int16_t& Shift, float& X,
                   float& Y) override;
  void OnItemColose(std::int32_t ItemIndex, bool& Cancel) override;

  // BFormEvents (the caption bar's pointer resets the cursor)
  void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) override;

  // cSetStyleEvents
  void CloseClick() override;

  // NotifyIconOwner
  void OnTrayLeftClick() override;
  void OnTrayRightClick() override;

  // BossKeyWindow
  bool WindowVisible() const override;
  void HideWindow() override;
  void ShowWindow() override;

  WebMainFrmViews& views_;
  WebMainFrmPorts ports_;
  WebMainFrmSettings settings_;
  TrayMenu appmenu_;
  // Created in the load in this order and released in the reverse.
  std::unique_ptr<WebMainFrmView> view_;
  std::unique_ptr<CNxNotifyIcon> tray_;
  std::unique_ptr<BrowserPagesSound> sound_;
  std::unique_ptr<BossKey> boss_key_;
  std::vector<std::unique_ptr<ButtonClick>> clicks_;
  // Calls posted to the loop hold this weakly: the window may be gone when they run.
  std::shared_ptr<WebMainFrm*> self_;
  bool m_bExit_ = false;
  // A close check is posted and has not run yet.
  bool close_pending_ = false;
  // The confirmation is open.
  bool closing_ = false;
  // While it was open a close came that may go ahead without asking (m_bExit was True).
  bool exit_without_asking_ = false;
  bool unloaded_ = false;
};

}  // namespace orvane
