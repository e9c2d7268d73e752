#include "widgets/win32/surface_text.h"

#include <cmath>
#include <string>

#include "base/win32/text_encoding.h"

namespace orvane::win32 {

UniqueFont CreateSurfaceFont(const FontSpec& font) {
  LOGFONTW description{};
  description.lfHeight = -static_cast<LONG>(std::lround(font.size_points * 96.0 / 72.0));
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikethrough;
  description.lfCharSet = font.name == kSongTiFace ? GB2312_CHARSET : DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = Utf8ToWide(font.name);
  face.copy(description.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(::CreateFontIndirectW(&description));
}

Size MeasureLine(HDC dc, HFONT font, std::string_view text) {
  const std::wstring wide = Utf8ToWide(text);
  SelectedObject selected(dc, font);
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  if (wide.empty()) {
    // An empty line still has the font's height.
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    extent.cy = metrics.tmHeight;
  }
  return Size{extent.cx, extent.cy};
}

void DrawLine(HDC dc, HFONT font, Colour colour, std::string_view text, Point at) {
  const std::wstring wide = Utf8ToWide(text);
  SelectedObject selected(dc, font);
  const int old_mode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF old_colour = ::SetTextColor(dc, colour);
  ::TextOutW(dc, at.x, at.y, wide.c_str(), static_cast<int>(wide.size()));
  ::SetTextColor(dc, old_colour);
  ::SetBkMode(dc, old_mode);
}

}  // namespace orvane::win32
