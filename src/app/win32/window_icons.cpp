#include "app/win32/window_icons.h"

#include "base/win32/text_encoding.h"

namespace orvane::win32 {
namespace {

// Sizes up to this are the small icon (title bar, tray); larger ones the large icon.
constexpr int kSmallIconPixels = 16;

}  // namespace

HICON WindowIcons::SetFromFile(HWND window, const std::string& icon_file, int size) {
  const std::wstring path = Utf8ToWide(icon_file);
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
  if (!icon || window == nullptr) {
    return nullptr;
  }
  const bool small = size <= kSmallIconPixels;
  ::SendMessageW(window, WM_SETICON, small ? ICON_SMALL : ICON_BIG,
                 reinterpret_cast<LPARAM>(icon.get()));
  // The window now shows the new icon: the one it showed before may go.
  UniqueIcon& slot = small ? small_ : large_;
  slot = std::move(icon);
  return slot.get();
}

}  // namespace orvane::win32
