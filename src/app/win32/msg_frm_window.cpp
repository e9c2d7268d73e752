#include "app/win32/msg_frm_window.h"

#include "base/product.h"
#include "base/resource_ids.h"
#include "base/units.h"
#include "base/win32/system_cursors.h"
#include "base/win32/text_encoding.h"
#include "widgets/win32/ole_picture.h"

namespace orvane::win32 {
namespace {

constexpr wchar_t kMsgFrmClass[] = L"OrvaneMsgFrm";
constexpr Colour kWhite = 0xFFFFFF;
// The design (pixels, relative to the window's top-left corner).
constexpr int kBarHeight = 33;
constexpr Rect kLabel1{24, 56, 209, 41};
constexpr Rect kIButton1{56, 88, 65, 25};
constexpr Rect kIButton2{136, 88, 65, 25};
constexpr int kCloseTop = 1;
constexpr int kCloseWidth = 43;
constexpr int kCloseHeight = 18;
// The label's font: 9 points on a 96 dpi display.
constexpr int kLabelFontHeight = -12;
constexpr wchar_t kLabelFontFace[] = L"SimSun";

struct DisableOthers {
  HWND self;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOther(HWND window, LPARAM data) {
  auto* job = reinterpret_cast<DisableOthers*>(data);
  if (window != job->self && ::IsWindowEnabled(window)) {
    ::EnableWindow(window, FALSE);
    job->disabled->push_back(window);
  }
  return TRUE;
}

}  // namespace

MsgFrmWindow::MsgFrmWindow(MsgFrmEvents& events) : events_(events) {
  const int width = kMsgFrmWidthPixels;
  const int height = kMsgFrmHeightPixels;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  const std::wstring title = Utf8ToWide(kClientTitle);
  HWND window = CreateBoundWindow(kMsgFrmClass, 0, kCursorArrow, 0, WS_POPUP | WS_CLIPCHILDREN,
                                  Rect{x, y, width, height}, nullptr, nullptr, title.c_str());
  canvas_ = std::make_unique<FormCanvas>(window, kWhite);
  white_.reset(::CreateSolidBrush(kWhite));
  font_.reset(::CreateFontW(kLabelFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, kLabelFontFace));
  bar_ = std::make_unique<BFormWindow>(window, Rect{0, 0, width, kBarHeight});
  const std::wstring question = Utf8ToWide(kExitQuestion);
  // The label's design box reaches into the answer buttons' top: it lies under them and
  // draws nothing over them.
  label_.reset(::CreateWindowExW(0, L"STATIC", question.c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT, kLabel1.x,
                                 kLabel1.y, kLabel1.width, kLabel1.height, window, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr));
  ::SendMessageW(label_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  yes_ = std::make_unique<iButtonWindow>(window, kIButton1);
  yes_->Logic().AutoSize(false);
  yes_->Logic().BackPicture(win32::LoadBitmapPicture(ORVANE_BITMAP_ANSWER_YES));
  yes_->Logic().Caption(std::string(kYesCaption));
  yes_->Move(kIButton1);
  no_ = std::make_unique<iButtonWindow>(window, kIButton2);
  no_->Logic().AutoSize(false);
  no_->Logic().BackPicture(win32::LoadBitmapPicture(ORVANE_BITMAP_ANSWER_NO));
  no_->Logic().Caption(std::string(kNoCaption));
  no_->Move(kIButton2);
  close_ = std::make_unique<iButtonWindow>(
      window, Rect{width - kCloseWidth - 6, kCloseTop, kCloseWidth, kCloseHeight});
  ::SetWindowPos(label_.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The bar lies under the close button.
  ::SetWindowPos(bar_->hWnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

MsgFrmWindow::~MsgFrmWindow() {
  EndModal();
  Unbind();
  close_.reset();
  no_.reset();
  yes_.reset();
  label_.reset();
  bar_.reset();
  DestroyBoundWindow();
  font_.reset();
  white_.reset();
  canvas_.reset();
}

PicturePtr MsgFrmWindow::LoadBitmapPicture(int id) {
  return win32::LoadBitmapPicture(id);
}

Size MsgFrmWindow::ScaleSize() const {
  RECT client{};
  ::GetClientRect(hWnd(), &client);
  return Size{static_cast<int>(PixelsToTwips(client.right)),
              static_cast<int>(PixelsToTwips(client.bottom))};
}

void MsgFrmWindow::SetCaptionBarWidth(int twips) {
  RECT bar{};
  ::GetWindowRect(bar_->hWnd(), &bar);
  bar_->Move(Rect{0, 0, TwipsToPixels(twips), bar.bottom - bar.top});
}

void MsgFrmWindow::SetCloseButtonLeft(int twips) {
  close_->Move(Rect{TwipsToPixels(twips), kCloseTop, kCloseWidth, kCloseHeight});
}

void MsgFrmWindow::SetRoundedRegion(int width, int height, int ellipse) {
  UniqueRegion region(::CreateRoundRectRgn(0, 0, width, height, ellipse, ellipse));
  if (region && ::SetWindowRgn(hWnd(), region.get(), TRUE)) {
    region.release();  // the system owns it now
  }
}

void MsgFrmWindow::DragWindow() {
  ::ReleaseCapture();
  ::SendMessageW(hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MsgFrmWindow::ShowModal() {
  HWND window = hWnd();
  if (window == nullptr || modal_) {
    return;
  }
  // The window's resize runs once before it first shows.
  events_.Form_Resize();
  DisableOthers job{window, &disabled_};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOther, reinterpret_cast<LPARAM>(&job));
  modal_ = true;
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  MSG msg{};
  while (modal_) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the loop outside sees the quit message too.
      if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
      }
      EndModal();
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void MsgFrmWindow::Unload() {
  EndModal();
}

void MsgFrmWindow::EndModal() {
  // The others are enabled before this window hides, so that activation goes back to them.
  for (HWND window : disabled_) {
    if (::IsWindow(window)) {
      ::EnableWindow(window, TRUE);
    }
  }
  disabled_.clear();
  if (modal_ && hWnd()) {
    ::ShowWindow(hWnd(), SW_HIDE);
  }
  modal_ = false;
}

LRESULT MsgFrmWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      FormCanvas::PaintForm(hWnd(), canvas_.get());
      return 0;
    case WM_CTLCOLORSTATIC:
      ::SetBkColor(reinterpret_cast<HDC>(wp), kWhite);
      return reinterpret_cast<LRESULT>(white_.get());
    case WM_SIZE:
      if (close_) {
        events_.Form_Resize();
      }
      return 0;
    case WM_CLOSE:
      // Closed by other means: the answer stays as it was.
      EndModal();
      return 0;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace orvane::win32
