#include "login/win32/win32_login_screen_view.h"

#include "base/resource_ids.h"
#include "base/win32/system_cursors.h"
#include "base/win32/text_encoding.h"
#include "login/win32/login_bg_hook.h"
#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kLoginBgClass[] = L"OrvaneLoginBgFrm";
constexpr wchar_t kLoginClass[] = L"OrvaneLoginFrm";

// The login window's design (pixels, relative to its top-left corner, which lies on the
// background's top-left).
constexpr int kLoginWidth = 1237;
constexpr int kLoginHeight = 696;
constexpr Rect kMiniBtn{1048, 88, 35, 35};
constexpr Rect kCloseBtn{1088, 80, 41, 41};
constexpr Rect kPicture1{389, 152, 731, 369};
// The browser is 20 pixels wider and higher than its frame and starts one pixel before
// it, so that its border and scroll bars lie outside the frame and are clipped.
constexpr browser::BrowserPlacement kWebBrowser1Place{-1, -1, 751, 389};

void Drag(HWND window) {
  if (window != nullptr) {
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
}

}  // namespace

Win32LoginScreenView::FormWindow::FormWindow(const wchar_t* class_name, DWORD ex_style, DWORD style,
                                             const Rect& place, COLORREF back_colour,
                                             LoginScreenEvents& events, bool background)
    : brush_(::CreateSolidBrush(back_colour)), events_(events), background_(background) {
  CreateBoundWindow(class_name, 0, kCursorArrow, ex_style, style, place, nullptr, nullptr);
}

Win32LoginScreenView::FormWindow::~FormWindow() {
  DestroyBoundWindow();
}

LRESULT Win32LoginScreenView::FormWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(hWnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wp), &client, brush_.get());
      return 1;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (background_) {
        events_.LoginBgFrm_MouseDown(msg == WM_LBUTTONDOWN);
      } else {
        events_.LoginFrm_MouseDown(msg == WM_LBUTTONDOWN);
      }
      return 0;
    case WM_CLOSE:
      // Alt+F4 on either window, or the taskbar's close: the login screen decides.
      events_.LoginBgFrm_CloseRequested();
      return 0;
    default:
      return Default(msg, wp, lp);
  }
}

Win32LoginScreenView::Background::Background(LoginScreenEvents& events, HWND login)
    : window_(kLoginBgClass, 0, WS_OVERLAPPEDWINDOW, Rect{CW_USEDEFAULT, 0, 0, 0}, 0, events,
              true) {
  HWND window = window_.Window();
  if (window == nullptr) {
    return;
  }
  // The load: no caption and no sizing border, a layered window.
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  ::SetWindowLongPtrW(window, GWL_STYLE,
                      style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
  const LONG_PTR ex_style = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  HookLoginBgWindow(window, login);
}

Win32LoginScreenView::Background::~Background() {
  // The unload's order: the picture, the drawing surface, the imaging session, the bitmap
  // objects; then the procedure is put back and the window goes.
  image_ = PngImage{};
  picture_.reset();
  gdiplus_.reset();
  UnhookLoginBgWindow(window_.Window());
}

void Win32LoginScreenView::Background::Present(int png_id) {
  HWND window = window_.Window();
  if (window == nullptr) {
    return;
  }
  gdiplus_ = std::make_unique<GdiplusSession>();
  image_ = LoadPngResource(png_id, ResourceType::Png);
  picture_ = std::make_unique<LayeredPicture>(window, image_);
  // The screen position is ours to choose: centred on the work area, never above its top.
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - picture_->Width()) / 2;
  const int y = work.top + (work.bottom - work.top - picture_->Height()) / 2;
  ::SetWindowPos(window, nullptr, x, y > work.top ? y : work.top, picture_->Width(),
                 picture_->Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  picture_->PresentOn(window);
}

Win32LoginScreenView::Win32LoginScreenView(LoginScreenEvents& events,
                                           browser::BrowserEvents& browser_events,
                                           const BrowserFactory& make_browser)
    : events_(events) {
  login_ = std::make_unique<FormWindow>(kLoginClass, 0, WS_POPUP | WS_CLIPCHILDREN,
                                        Rect{0, 0, kLoginWidth, kLoginHeight}, kLoginColourKey,
                                        events, false);
  HWND login = login_->Window();
  mini_btn_ =
      std::make_unique<PictureControl>(login, kMiniBtn, LoadBitmapPicture(ORVANE_BITMAP_LOGIN_MIN),
                                       kLoginColourKey, [&events] { events.MiniBtn_Click(); });
  close_btn_ = std::make_unique<PictureControl>(
      login, kCloseBtn, LoadBitmapPicture(ORVANE_BITMAP_LOGIN_CLOSE), kLoginColourKey,
      [&events] { events.CloseBtn_Click(); });
  picture1_ = std::make_unique<PanelWindow>(login, kPicture1, kLoginColourKey);
  browser_ = make_browser(picture1_->hWnd(), browser_events);
  browser_->Place(kWebBrowser1Place);
}

Win32LoginScreenView::~Win32LoginScreenView() {
  HWND login = login_->Window();
  // The system would take an owned window down with its owner, before the browser inside
  // it has closed: the login window is let go by its owner first (hidden, so that it never
  // shows a taskbar entry of its own).
  if (login != nullptr) {
    ::ShowWindow(login, SW_HIDE);
    ::SetWindowLongPtrW(login, GWLP_HWNDPARENT, 0);
  }
  background_.reset();
  browser_.reset();
  picture1_.reset();
  close_btn_.reset();
  mini_btn_.reset();
  login_.reset();
}

Win32LoginScreenView::Background& Win32LoginScreenView::EnsureBackground() {
  if (!background_) {
    background_ = std::make_unique<Background>(events_, login_->Window());
  }
  return *background_;
}

void Win32LoginScreenView::LoadBackground(int png_id, std::string_view caption) {
  Background& background = EnsureBackground();
  background.Present(png_id);
  HWND window = background.Window();
  if (window == nullptr) {
    return;
  }
  // The login window lies on the background's top-left from the start; the hook keeps it
  // there through every later move.
  RECT place{};
  ::GetWindowRect(window, &place);
  ::SetWindowPos(login_->Window(), nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowTextW(window, Utf8ToWide(caption).c_str());
}

void Win32LoginScreenView::SetBackgroundIcon(const std::string& icon_file, int size) {
  icons_.SetFromFile(EnsureBackground().Window(), icon_file, size);
}

void Win32LoginScreenView::SetLoginColourKey(Colour key) {
  HWND login = login_->Window();
  const LONG_PTR ex_style = ::GetWindowLongPtrW(login, GWL_EXSTYLE);
  ::SetWindowLongPtrW(login, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  ::SetLayeredWindowAttributes(login, static_cast<COLORREF>(key), 0, LWA_COLORKEY);
}

void Win32LoginScreenView::SetLoginOwner() {
  ::SetWindowLongPtrW(login_->Window(), GWLP_HWNDPARENT,
                      reinterpret_cast<LONG_PTR>(EnsureBackground().Window()));
}

void Win32LoginScreenView::ShowBackground() {
  ::ShowWindow(EnsureBackground().Window(), SW_SHOW);
}

void Win32LoginScreenView::ShowLogin() {
  HWND login = login_->Window();
  ::ShowWindow(login, SW_SHOW);
  ::SetForegroundWindow(login);
}

void Win32LoginScreenView::MinimizeBackground() {
  if (background_) {
    ::ShowWindow(background_->Window(), SW_MINIMIZE);
  }
}

void Win32LoginScreenView::DragBackground() {
  Drag(background_ ? background_->Window() : nullptr);
}

void Win32LoginScreenView::DragLogin() {
  Drag(login_->Window());
}

}  // namespace orvane::win32
