#include "mainwin/win32/web_main_frm_window.h"

#include <algorithm>

#include "base/product.h"
#include "base/property_bag.h"
#include "base/resource_ids.h"
#include "base/units.h"
#include "base/win32/system_cursors.h"
#include "base/win32/text_encoding.h"
#include "base/win32/unique_handle.h"
#include "mainwin/win32/program_menu.h"
#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kMainWindowClass[] = L"OrvaneWebMainFrm";
// Posted to itself: the program menu pops up once the event that asked for it has ended.
constexpr UINT kPopUpMenuMessage = WM_APP + 0x31;

// The caption bar's grey and the window's own background.
constexpr Colour kBarBackColour = 0xDEDEDE;
static_assert(kBarBackColour == 14606046);
constexpr Colour kFormBackColour = 0xFFFFFF;
// The placeholder panel and the page container behind the pages.
constexpr Colour kContentBackColour = 0xFFFFFF;
// The link buttons' caption colour on their dark pieces.
constexpr Colour kLinkForeColour = 0xFFFFFF;

// The design rectangles of the children, in twips.
constexpr Rect kWebBFormTwips{0, 0, 15495, 495};
constexpr Rect kPicLogoTwips{100, 30, 440, 440};
constexpr Rect kWebuTabTwips{2160, 30, 10215, 480};
constexpr Rect kWebToolTwips{12600, 15, 360, 270};
constexpr Rect kWebMinTwips{12960, 15, 360, 270};
constexpr Rect kWebMinMaxTwips{13320, 15, 375, 270};
constexpr Rect kWebCloseTwips{13680, 15, 645, 270};
constexpr Rect kGameSpaceTwips{12240, 0, 1215, 330};
constexpr Rect kOtherUserTwips{10680, 0, 1485, 330};
// Until the first layout, the content area lies below the strip with the margins.
constexpr Rect kContentTwips{60, 480, kMainWindowDesignWidthTwips - 120,
                             kMainWindowDesignHeightTwips - 480 - 60};

// The idle browser's own border lies outside its panel.
constexpr int kPlaceholderBorderPixels = 2;

Rect Pixels(const Rect& twips) {
  return Rect{TwipsToPixels(twips.x), TwipsToPixels(twips.y),
              std::max(0, TwipsToPixels(twips.width)), std::max(0, TwipsToPixels(twips.height))};
}

int Twips(int pixels) {
  return static_cast<int>(PixelsToTwips(pixels));
}

std::uint32_t HandleNumber(const void* handle) {
  // The records and properties that carry handles hold 32 bits; the system's window and
  // icon handles fit in them on both word sizes.
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

int WindowHeight(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

}  // namespace

WebMainFrmWindow::WebMainFrmWindow(WebMainFrmEvents& events, const BrowserFactory& make_browser,
                                   HandOverOwner* hand_over)
    : events_(events), hand_over_(hand_over) {
  const std::wstring title = Utf8ToWide(kClientTitle);
  RECT outer{0, 0, TwipsToPixels(kMainWindowDesignWidthTwips),
             TwipsToPixels(kMainWindowDesignHeightTwips)};
  ::AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
  // No class cursor: over the window itself the borderless behaviour sets the pointer.
  HWND window =
      CreateBoundWindow(kMainWindowClass, 0, nullptr, 0, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        Rect{0, 0, outer.right - outer.left, outer.bottom - outer.top}, nullptr,
                        nullptr, title.c_str());
  canvas_ = std::make_unique<FormCanvas>(window, kFormBackColour);

  bar_ = std::make_unique<BFormWindow>(window, Pixels(kWebBFormTwips));
  bar_->Logic().BackColor(std::to_string(kBarBackColour));
  bar_->Logic().HasLogo(true);
  logo_ = std::make_unique<PanelWindow>(window, Pixels(kPicLogoTwips), kBarBackColour);
  logo_->OnMouse([this](UINT msg, WPARAM, LPARAM) {
    if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN ||
        msg == WM_MBUTTONDOWN) {
      events_.ContentPointer();
    }
  });

  strip_ = std::make_unique<uTabWindow>(window, Pixels(kWebuTabTwips));
  PropertyBag design;
  design.Write("TabStyle", std::int64_t{1});
  design.Write("TabLeftSize", std::int64_t{10});
  design.Write("TabRightSize", std::int64_t{0});
  strip_->ReadProperties(design);
  // The strip takes the height of its style at its next resize.
  strip_->Move(Pixels(kWebuTabTwips));

  pcnt_ = std::make_unique<PanelWindow>(window, Pixels(kContentTwips), kContentBackColour);
  pcnt_->OnMouse([this](UINT msg, WPARAM, LPARAM) {
    if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN ||
        msg == WM_MBUTTONDOWN) {
      events_.ContentPointer();
    }
  });
  picture1_ = std::make_unique<PanelWindow>(window, Pixels(kContentTwips), kContentBackColour);
  web_browser1_ = make_browser(picture1_->hWnd(), idle_events_);
  picture1_->OnSize([this](Size picture) { PlacePlaceholderBrowser(picture); });
  RECT placeholder{};
  ::GetClientRect(picture1_->hWnd(), &placeholder);
  PlacePlaceholderBrowser(Size{placeholder.right, placeholder.bottom});
  // The placeholder covers the container until the first tab opens.
  ::SetWindowPos(picture1_->hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  web_tool_ = std::make_unique<iButtonWindow>(window, Pixels(kWebToolTwips));
  web_min_ = std::make_unique<iButtonWindow>(window, Pixels(kWebMinTwips));
  web_minmax_ = std::make_unique<iButtonWindow>(window, Pixels(kWebMinMaxTwips));
  web_minmax_->Logic().Style(1);
  web_close_ = std::make_unique<iButtonWindow>(window, Pixels(kWebCloseTwips));
  auto link = [&](const Rect& twips, int skin, std::string_view caption) {
    auto button = std::make_unique<iButtonWindow>(window, Pixels(twips));
    // The design size stays: the small pieces of the skin are stretched over it.
    button->Logic().AutoSize(false);
    button->Logic().BackPicture(win32::LoadBitmapPicture(skin));
    button->Logic().cForeColor(kLinkForeColour);
    button->Logic().Caption(std::string(caption));
    button->Move(Pixels(twips));
    return button;
  };
  game_space_ = link(kGameSpaceTwips, ORVANE_BITMAP_LINK_GAME_SITE, kGameSpaceCaption);
  other_user_ = link(kOtherUserTwips, ORVANE_BITMAP_LINK_OTHER_ACCOUNT, kOtherUserCaption);

  // The bar lies under the logo, the strip and the buttons: it goes behind them all.
  ::SetWindowPos(bar_->hWnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  if (hand_over_ != nullptr) {
    dde_ = std::make_unique<DdeServer>(ExecutableServiceName(), *hand_over_);
  }
}

WebMainFrmWindow::~WebMainFrmWindow() {
  dde_.reset();
  if (hotkey_hooked_) {
    UnhookHotKey();
  }
  style_.reset();
  // The children go before the window, which is no longer bound to what is left.
  Unbind();
  other_user_.reset();
  game_space_.reset();
  web_close_.reset();
  web_minmax_.reset();
  web_min_.reset();
  web_tool_.reset();
  web_browser1_.reset();
  picture1_.reset();
  pcnt_.reset();
  strip_.reset();
  logo_.reset();
  bar_.reset();
  DestroyBoundWindow();
  canvas_.reset();
}

WindowHandle WebMainFrmWindow::FormHandle() const {
  return WindowHandleOf(hWnd());
}

WindowHandle WebMainFrmWindow::pCnt() const {
  return WindowHandleOf(pcnt_->hWnd());
}

PicturePtr WebMainFrmWindow::LoadBitmapPicture(int id) {
  return win32::LoadBitmapPicture(id);
}

void WebMainFrmWindow::SetIconFromFile(const std::string& icon_file, int size) {
  icons_.SetFromFile(hWnd(), icon_file, size);
}

void WebMainFrmWindow::SetTitle(std::string_view title) {
  ::SetWindowTextW(hWnd(), Utf8ToWide(title).c_str());
}

NotifyIconHost& WebMainFrmWindow::TrayHost(const TrayMenu&) {
  // The shell draws no menu of its own: a right click comes back to the window, which
  // pops the program menu up itself.
  return tray_;
}

std::uint32_t WebMainFrmWindow::TrayWindow() const {
  return HandleNumber(hWnd());
}

std::uint32_t WebMainFrmWindow::TraySmallIcon() const {
  return HandleNumber(icons_.Small());
}

void WebMainFrmWindow::HookHotKey() {
  if (!hotkey_hooked_) {
    win32::HookHotKey(hWnd(), *this);
    hotkey_hooked_ = true;
  }
}

void WebMainFrmWindow::UnhookHotKey() {
  if (hotkey_hooked_) {
    win32::UnhookHotKey(hWnd());
    hotkey_hooked_ = false;
  }
}

void WebMainFrmWindow::SetWindowStyle(cSetStyleEvents& events) {
  style_ = std::make_unique<cSetStyleHook>();
  style_->SetEvents(&events);
  style_->objForm(hWnd());
  style_->SetWindowStyle(hWnd());
  // Without its frame the window keeps the design client size as its whole size.
  ::SetWindowPos(hWnd(), nullptr, 0, 0, TwipsToPixels(kMainWindowDesignWidthTwips),
                 TwipsToPixels(kMainWindowDesignHeightTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool WebMainFrmWindow::CallWindowStateChange() {
  return style_ ? style_->CallWindowStateChange() : false;
}

void WebMainFrmWindow::ReleaseWindowStyle() {
  style_.reset();
}

Size WebMainFrmWindow::ClientSize() const {
  RECT client{};
  ::GetClientRect(hWnd(), &client);
  return Size{Twips(client.right), Twips(client.bottom)};
}

Rect WebMainFrmWindow::WindowRect() const {
  RECT rect{};
  ::GetWindowRect(hWnd(), &rect);
  return Rect{Twips(rect.left), Twips(rect.top), Twips(rect.right - rect.left),
              Twips(rect.bottom - rect.top)};
}

Size WebMainFrmWindow::ScreenSize() const {
  return Size{Twips(::GetSystemMetrics(SM_CXSCREEN)), Twips(::GetSystemMetrics(SM_CYSCREEN))};
}

void WebMainFrmWindow::MoveWindow(int left, int top) {
  ::SetWindowPos(hWnd(), nullptr, TwipsToPixels(left), TwipsToPixels(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WebMainFrmWindow::TabStripHeight() const {
  return Twips(WindowHeight(strip_->hWnd()));
}

void WebMainFrmWindow::Move(MainWindowControl control, const Rect& twips) {
  Rect place = Pixels(twips);
  switch (control) {
    case MainWindowControl::WebBForm:
      // The bar keeps the height it gives itself when it draws.
      place.height = WindowHeight(bar_->hWnd());
      bar_->Move(place);
      break;
    case MainWindowControl::WebuTab:
      place.height = WindowHeight(strip_->hWnd());
      strip_->Move(place);
      break;
    case MainWindowControl::web_close:
    case MainWindowControl::web_minmax:
    case MainWindowControl::web_min:
    case MainWindowControl::web_tool:
    case MainWindowControl::GameSpaceBtn:
    case MainWindowControl::OtherUserBtn:
      ::MoveWindow(ButtonWindow(control), place.x, place.y, place.width, place.height, TRUE);
      break;
    case MainWindowControl::Picture1:
      picture1_->Move(place);
      break;
    case MainWindowControl::pCnt:
      pcnt_->Move(place);
      break;
  }
}

HWND WebMainFrmWindow::ButtonWindow(MainWindowControl control) const {
  switch (control) {
    case MainWindowControl::web_close:
      return web_close_->hWnd();
    case MainWindowControl::web_minmax:
      return web_minmax_->hWnd();
    case MainWindowControl::web_min:
      return web_min_->hWnd();
    case MainWindowControl::web_tool:
      return web_tool_->hWnd();
    case MainWindowControl::GameSpaceBtn:
      return game_space_->hWnd();
    case MainWindowControl::OtherUserBtn:
      return other_user_->hWnd();
    default:
      return nullptr;
  }
}

void WebMainFrmWindow::SetRoundedRegion(int width, int height, int ellipse) {
  UniqueRegion region(::CreateRoundRectRgn(0, 0, width, height, ellipse, ellipse));
  // The system owns the region once the window has taken it.
  if (region && ::SetWindowRgn(hWnd(), region.get(), TRUE)) {
    region.release();
  }
}

bool WebMainFrmWindow::Picture1Visible() const {
  // The panel's own visibility, also while the window itself is hidden.
  return (::GetWindowLongPtrW(picture1_->hWnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void WebMainFrmWindow::HidePicture1() {
  ::ShowWindow(picture1_->hWnd(), SW_HIDE);
}

void WebMainFrmWindow::RefreshWebBrowser1() {
  if (web_browser1_) {
    web_browser1_->Refresh();
  }
}

void WebMainFrmWindow::PlacePlaceholderBrowser(Size picture) {
  if (web_browser1_) {
    web_browser1_->Place(browser::BrowserPlacement{
        -kPlaceholderBorderPixels, -kPlaceholderBorderPixels,
        picture.cx + 2 * kPlaceholderBorderPixels, picture.cy + 2 * kPlaceholderBorderPixels});
  }
}

bool WebMainFrmWindow::Minimized() const {
  return ::IsIconic(hWnd()) != 0;
}

bool WebMainFrmWindow::Visible() const {
  return ::IsWindowVisible(hWnd()) != 0;
}

void WebMainFrmWindow::Show() {
  ::ShowWindow(hWnd(), SW_SHOW);
}

void WebMainFrmWindow::Hide() {
  ::ShowWindow(hWnd(), SW_HIDE);
}

void WebMainFrmWindow::Minimize() {
  ::ShowWindow(hWnd(), SW_MINIMIZE);
}

void WebMainFrmWindow::RestoreFromMinimized() {
  if (::IsIconic(hWnd())) {
    ::ShowWindow(hWnd(), SW_RESTORE);
  }
  ::SetForegroundWindow(hWnd());
}

void WebMainFrmWindow::DragWindow() {
  ::ReleaseCapture();
  ::SendMessageW(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void WebMainFrmWindow::ShowArrowCursor() {
  ::SetCursor(::LoadCursorW(nullptr, kCursorArrow));
}

void WebMainFrmWindow::PopUpMenu(const TrayMenu& menu) {
  pending_menu_ = menu;
  ::PostMessageW(hWnd(), kPopUpMenuMessage, 0, 0);
}

LRESULT WebMainFrmWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      FormCanvas::PaintForm(hWnd(), canvas_.get());
      return 0;
    case WM_SIZE:
      if (canvas_ && other_user_) {
        events_.Form_Resize();
      }
      return 0;
    case WM_SYSCOMMAND:
      // The borderless behaviour has reported the system's close command (CloseClick)
      // before this procedure: the close check runs from there, not a second time here.
      if ((wp & 0xFFF0) == SC_CLOSE && style_) {
        return 0;
      }
      return Default(msg, wp, lp);
    case WM_CLOSE:
      events_.Form_CloseRequested();
      return 0;
    case kPopUpMenuMessage: {
      const TrayMenu menu = std::move(pending_menu_);
      pending_menu_.clear();
      const int chosen = TrackProgramMenu(hWnd(), menu);
      if (chosen >= 0 && menu[static_cast<std::size_t>(chosen)].run) {
        // The item may close the window: it runs from a copy of the menu.
        menu[static_cast<std::size_t>(chosen)].run();
      }
      return 0;
    }
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace orvane::win32
