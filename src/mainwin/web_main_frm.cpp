#include "mainwin/web_main_frm.h"

#include <functional>
#include <utility>

#include "app/public_data.h"
#include "base/product.h"
#include "base/resource_ids.h"
#include "base/shown_text.h"
#include "mainwin/cache_main.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/tab_items.h"
#include "tabstrip/utab.h"
#include "widgets/button.h"

namespace orvane {

namespace {

constexpr int kSmallIcon = 16;
constexpr int kLargeIcon = 32;

}  // namespace

// One button's Click, handed to the window's action for it.
class WebMainFrm::ButtonClick final : public iButtonEvents {
 public:
  explicit ButtonClick(std::function<void()> action) : action_(std::move(action)) {}
  void Click() override { action_(); }

 private:
  std::function<void()> action_;
};

WebMainFrm::WebMainFrm(WebMainFrmViews& views, const WebMainFrmPorts& ports,
                       WebMainFrmSettings settings)
    : views_(views),
      ports_(ports),
      settings_(std::move(settings)),
      self_(std::make_shared<WebMainFrm*>(this)) {
  appmenu_ = MakeAppMenu();
}

WebMainFrm::~WebMainFrm() {
  self_.reset();
  if (view_ && !unloaded_) {
    ReleaseWindow();
  }
}

TrayMenu WebMainFrm::MakeAppMenu() {
  // The menu is complete (its version item included) before the load hands it to the tray:
  // trays that draw menus themselves take it as it is then.
  TrayMenu menu;
  menu.push_back({std::string(kMenuRefresh), true, [this] { RefreshCommand(); }});
  menu.push_back({std::string(kMenuHideRestore), true, [this] { ToggleVisibility(); }});
  menu.push_back({std::string(kMenuClearCache), true, [this] { ClearCacheCommand(); }});
  menu.push_back({std::string(kMenuSeparator), true, [] {}});
  menu.push_back({std::string(kMenuUpdate), true, [this] {
                    if (view_ && !unloaded_) {
                      ports_.owner.RunUpdateCommand();
                    }
                  }});
  menu.push_back({VersionCaption(), true, [] {}});
  menu.push_back({std::string(kMenuExit), true, [this] { RequestClose(); }});
  return menu;
}

std::string WebMainFrm::VersionCaption() const {
  return std::string(kMenuVersionPrefix) + settings_.version_text;
}

// --- load ---------------------------------------------------------------------------------

void WebMainFrm::Form_Load() {
  view_ = views_.CreateMainWindowView(*this);
  if (!view_) {
    return;
  }
  WebMainFrmView& v = *view_;
  v.WebBForm().SetEvents(this);
  v.WebuTab().SetEvents(this);
  const auto on_click = [this](iButton& button, std::function<void()> action) {
    clicks_.push_back(std::make_unique<ButtonClick>(std::move(action)));
    button.SetEvents(clicks_.back().get());
  };
  on_click(v.web_close(), [this] { RequestClose(); });
  on_click(v.web_min(), [this] { view_->Minimize(); });
  on_click(v.web_minmax(), [this] { MaximiseButtonAction(); });
  on_click(v.web_tool(), [this] { view_->PopUpMenu(appmenu_); });
  on_click(v.GameSpaceBtn(), [this] { ports_.addresses.OpenAddress(settings_.portal_page); });
  on_click(v.OtherUserBtn(), [this] { ports_.owner.ShowLoginScreen(); });

  // 1-3: the icons and the tray icon with them.
  const std::string icon_file = IconFilePath(settings_.temp_folder);
  v.SetIconFromFile(icon_file, kSmallIcon);
  tray_ =
      std::make_unique<CNxNotifyIcon>(v.TrayHost(appmenu_), static_cast<NotifyIconOwner*>(this));
  tray_->AddNotifyIcon(v.TrayWindow(), v.TraySmallIcon(), kClientTitle);
  v.SetIconFromFile(icon_file, kLargeIcon);
  // 4: the boss key, which hides the game's sound with the window.
  sound_ = std::make_unique<BrowserPagesSound>([this] { return PageBrowsers(); });
  GameSound* program_sound = v.ProgramSound();
  boss_key_ = std::make_unique<BossKey>(static_cast<BossKeyWindow&>(*this),
                                        program_sound ? *program_sound : *sound_);
  v.HookHotKey();
  // 5, 6: the texts.
  appmenu_[kVersionItem].label = VersionCaption();
  v.WebBForm().Caption(std::string(kProductName));
  v.SetTitle(kClientTitle);
  // 7, 8: borderless, dragged by its caption bar.
  v.SetWindowStyle(*this);
  v.WebBForm().frmHwnd(v.FormHandle());
  // 9: centred on the screen.
  const Rect window = v.WindowRect();
  const Size screen = v.ScreenSize();
  v.MoveWindow((screen.cx - window.width) / 2, (screen.cy - window.height) / 2);
  // 10: the caption buttons' skins; the maximise button shows "restore" from the start.
  v.web_close().BackPicture(v.LoadBitmapPicture(ORVANE_BITMAP_CLOSE_BUTTON));
  v.web_minmax().BackPicture(v.LoadBitmapPicture(ORVANE_BITMAP_MAXRESTORE_BUTTON));
  v.web_min().BackPicture(v.LoadBitmapPicture(ORVANE_BITMAP_MIN_BUTTON));
  v.web_minmax().Style(1);
  v.web_minmax().Value(true);
  v.web_tool().BackPicture(v.LoadBitmapPicture(ORVANE_BITMAP_MENU_BUTTON));
  // 11: the pages live in pCnt.
  v.WebuTab().SethContainerWnd(v.pCnt());
  v.WebuTab().LockReDraw(false);
  // 12, 13: the logo, then maximised to the work area.
  v.SetLogo(v.LoadBitmapPicture(ORVANE_BITMAP_LOGO));
  MaximiseButtonAction();
}

std::vector<browser::Browser*> WebMainFrm::PageBrowsers() {
  std::vector<browser::Browser*> pages;
  if (!view_) {
    return pages;
  }
  const CTabItems& items = view_->WebuTab().TabItems();
  for (std::int32_t i = 0; i < items.Count(); ++i) {
    const std::shared_ptr<CTabItem> item = items.Item(i);
    auto* page = item ? dynamic_cast<WebUrl*>(item->Form().get()) : nullptr;
    if (browser::Browser* wb = page ? page->Browser() : nullptr) {
      pages.push_back(wb);
    }
  }
  return pages;
}

// --- public operations --------------------------------------------------------------------

void WebMainFrm::SetURL(const std::string& strURL) {
  OpenGameTab(strURL);
}

void WebMainFrm::Show() {
  if (unloaded_) {
    return;
  }
  if (!view_) {
    Form_Load();
  }
  if (!view_) {
    return;
  }
  if (boss_key_ && boss_key_->Silenced() && !view_->Visible()) {
    // Hidden by the boss key (a further login while it was away): shown the same way, so
    // that the game's sound comes back with the window.
    boss_key_->Toggle();
    return;
  }
  view_->Show();
}

void WebMainFrm::OpenGameTab(const std::string& strURL) {
  if (unloaded_) {
    return;
  }
  if (!view_) {
    Form_Load();
    if (!view_) {
      return;
    }
  }
  const std::string key = std::string(kGameTabKeyPrefix) + strURL;
  CTabItems& items = view_->WebuTab().TabItems();
  const std::int32_t index = items.FindItem(key);
  if (index == -1) {
    auto page = std::make_shared<WebUrl>(views_, ports_.system_browser);
    page->OpenURL(strURL);
    items.Add(key, page, key);
    items.SetSelected(items.Count() - 1);
  } else {
    // The same address (in any letter case) keeps its one tab, which is not reloaded.
    items.SetSelected(index);
  }
  view_->HidePicture1();
}

void WebMainFrm::PresentMainWindow() {
  if (view_ && !unloaded_) {
    view_->RestoreFromMinimized();
  }
}

// --- close check and unload -----------------------------------------------------------------

void WebMainFrm::RequestClose() {
  if (!view_ || unloaded_) {
    return;
  }
  if (closing_) {
    // The confirmation is open: it answers this request too. Only a request that may close
    // without asking (the updater has started) is remembered, so that a "否" given to the
    // open confirmation cannot keep the window open under a running updater.
    if (m_bExit_) {
      exit_without_asking_ = true;
    }
    return;
  }
  if (close_pending_) {
    return;
  }
  // Requests come from inside the controls' own events (the last tab's close box arrives
  // inside the strip's): the check runs once that event has returned.
  close_pending_ = true;
  ports_.deferred.Post([self = std::weak_ptr<WebMainFrm*>(self_)] {
    if (const std::shared_ptr<WebMainFrm*> frm = self.lock()) {
      (*frm)->CloseCheckAndUnload();
    }
  });
}

void WebMainFrm::CloseCheckAndUnload() {
  close_pending_ = false;
  if (!view_ || unloaded_) {
    return;
  }
  if (!m_bExit_) {
    closing_ = true;
    exit_without_asking_ = false;
    {
      MsgFrm confirmation(*this);
      confirmation.ShowModal(views_);
    }
    closing_ = false;
    if (exit_without_asking_) {
      m_bExit_ = true;
    }
    if (!m_bExit_ || !view_ || unloaded_) {
      return;
    }
  }
  Form_Unload();
}

void WebMainFrm::Form_Unload() {
  unloaded_ = true;
  ReleaseWindow();
  ports_.owner.MainWindowUnloaded();
}

void WebMainFrm::ReleaseWindow() {
  view_->UnhookHotKey();
  view_->WebuTab().TabItems().Clear();
  view_->ReleaseWindowStyle();
  // Created in the load before the window's own parts and released in reverse: the tray
  // icon first, with the boss key's state, then the window and its children.
  tray_.reset();
  boss_key_.reset();
  sound_.reset();
  view_.reset();
  clicks_.clear();
}

// --- layout ----------------------------------------------------------------------------------

void WebMainFrm::Form_Resize() {
  if (view_ && !unloaded_) {
    Layout();
  }
}

void WebMainFrm::Layout() {
  WebMainFrmView& v = *view_;
  const Size client = v.ClientSize();
  const std::optional<MainWindowLayout> layout =
      LayoutMainWindow(client.cx, client.cy, v.TabStripHeight(), v.Minimized());
  if (!layout) {
    return;
  }
  v.Move(MainWindowControl::WebBForm, layout->WebBForm);
  v.WebBForm().Printform(v.FormSurface());
  v.SetRoundedRegion(layout->region_width, layout->region_height, kMainWindowCornerPixels);
  v.Move(MainWindowControl::web_close, layout->web_close);
  v.Move(MainWindowControl::web_minmax, layout->web_minmax);
  v.Move(MainWindowControl::web_min, layout->web_min);
  v.Move(MainWindowControl::web_tool, layout->web_tool);
  v.Move(MainWindowControl::WebuTab, layout->WebuTab);
  v.Move(MainWindowControl::GameSpaceBtn, layout->GameSpaceBtn);
  v.Move(MainWindowControl::OtherUserBtn, layout->OtherUserBtn);
  v.Move(MainWindowControl::Picture1, layout->Picture1);
  v.Move(MainWindowControl::pCnt, layout->pCnt);
}

// --- commands ----------------------------------------------------------------------------------

void WebMainFrm::MaximiseButtonAction() {
  if (!view_) {
    return;
  }
  // A maximised window is not dragged by its caption bar.
  const bool maximised = view_->CallWindowStateChange();
  view_->WebBForm().frmHwnd(maximised ? 0 : view_->FormHandle());
}

void WebMainFrm::ToggleVisibility() {
  if (view_ && boss_key_ && !unloaded_) {
    boss_key_->Toggle();
  }
}

void WebMainFrm::RefreshCommand() {
  if (!view_ || unloaded_) {
    return;
  }
  if (view_->Picture1Visible()) {
    view_->RefreshWebBrowser1();
  } else {
    view_->WebuTab().RefreshPage();
  }
}

void WebMainFrm::ClearCacheCommand() {
  if (!view_ || unloaded_) {
    return;
  }
  ports_.cache.ClearUrlCache(kCacheSearchPattern, kKeepCookiesAndHistory);
  // Reported whatever the clearing achieved: it reports nothing itself.
  ports_.dialogs.ShowMessageBox(
      {kCacheClearedMessage, kCacheClearedTitle, MessageIcon::kInformation, MessageButtons::kOk});
}

// --- the window's own events ----------------------------------------------------------------

void WebMainFrm::Form_CloseRequested() {
  RequestClose();
}

void WebMainFrm::BossKeyPressed() {
  ToggleVisibility();
}

void WebMainFrm::TrayMessage(std::uint32_t mouse_message) {
  if (tray_ && !unloaded_) {
    tray_->OnCallbackMessage(mouse_message);
  }
}

void WebMainFrm::ContentPointer() {
  if (view_) {
    view_->ShowArrowCursor();
  }
}

// --- the tab strip's events -----------------------------------------------------------------

void WebMainFrm::TabChanged() {
  if (view_) {
    view_->HidePicture1();
  }
}

void WebMainFrm::OnMouseDown(std::int32_t ItemIndex, std::int16_t& /*Button*/,
                             std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {
  if (!view_) {
    return;
  }
  view_->ShowArrowCursor();
  // A press beside the tabs moves the window, as its caption would, unless it is maximised.
  if (!view_->web_minmax().Value() && ItemIndex < 0) {
    view_->DragWindow();
  }
}

void WebMainFrm::OnMouseHover(std::int32_t ItemIndex, std::int16_t& /*Button*/,
                              std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {
  if (!view_) {
    return;
  }
  const CTabItems& items = view_->WebuTab().TabItems();
  std::string tip;
  if (ItemIndex >= 0 && ItemIndex < items.Count()) {
    if (const std::shared_ptr<CTabItem> item = items.Item(ItemIndex)) {
      tip = ShownText(item->Caption());
    }
  }
  view_->SetTabToolTipText(tip);
}

void WebMainFrm::OnMouseMove(std::int32_t /*ItemIndex*/, std::int16_t& /*Button*/,
                             std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {
  if (view_) {
    view_->ShowArrowCursor();
  }
}

void WebMainFrm::OnItemColose(std::int32_t /*ItemIndex*/, bool& Cancel) {
  if (!view_) {
    return;
  }
  // The last tab is never removed by its close box: closing it means closing the window.
  if (view_->WebuTab().TabItems().Count() <= 1) {
    RequestClose();
    Cancel = true;
  }
}

void WebMainFrm::MouseMove(std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/,
                           float& /*Y*/) {
  if (view_) {
    view_->ShowArrowCursor();
  }
}

void WebMainFrm::CloseClick() {
  RequestClose();
}

// --- tray and boss key ------------------------------------------------------------------------

void WebMainFrm::OnTrayLeftClick() {
  ToggleVisibility();
}

void WebMainFrm::OnTrayRightClick() {
  if (view_ && !unloaded_) {
    view_->PopUpMenu(appmenu_);
  }
}

bool WebMainFrm::WindowVisible() const {
  return view_ && view_->Visible();
}

void WebMainFrm::HideWindow() {
  if (view_) {
    view_->Hide();
  }
}

void WebMainFrm::ShowWindow() {
  if (view_) {
    view_->Show();
  }
}

}  // namespace orvane
