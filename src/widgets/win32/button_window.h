#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "base/win32/gdi_handles.h"
#include "base/win32/window_base.h"
#include "widgets/button.h"
#include "widgets/win32/persistent_surface.h"

namespace orvane::win32 {

// The skinned button on Windows: a child window with a persistent drawing surface.
// Native messages become the button's notifications in the platform's order; the
// button's logic decides everything else.
class iButtonWindow final : public DoubleBufferedWindow, private iButtonHost {
 public:
  // A button at `place` (pixels) in `parent`; `id` is its control identifier.
  iButtonWindow(HWND parent, const Rect& place, int id = 0);
  ~iButtonWindow();
  iButtonWindow(const iButtonWindow&) = delete;
  iButtonWindow& operator=(const iButtonWindow&) = delete;

  iButton& Logic() { return *logic_; }
  // The persistent drawing surface and what has been drawn on it.
  HDC hdc() const { return surface_.Dc(); }
  PicturePtr Image() { return SnapshotImage(); }
  // Moves and sizes the button within its form (pixels).
  void Move(const Rect& place);

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void PaintBackBuffer(HDC target, Size client) override;

  // iButtonHost
  Size ControlSize() const override;
  void SetControlSize(Size size) override;
  void Clear() override { surface_.Clear(); }
  void DrawPicture(const Picture& picture, const Rect& dest) override;
  void DrawPictureNatural(const Picture& picture, Point at) override;
  Size MeasureText(std::string_view text) override;
  void DrawText(std::string_view text, Point at) override;
  void DrawFocusRect(const Rect& rect) override;
  void Present() override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  std::int16_t BackStyle() const override { return back_style_; }
  void SetBackStyle(std::int16_t style) override;
  Colour BackColor() const override { return surface_.BackColour(); }
  Colour ForeColor() const override { return fore_colour_; }
  void SetForeColor(Colour colour) override { fore_colour_ = colour; }
  FontSpec Font() const override { return font_spec_; }
  void SetFont(const FontSpec& font) override;
  std::int16_t DrawMode() const override;
  void SetDrawMode(std::int16_t mode) override;
  void SetMaskPicture(PicturePtr mask) override;
  PicturePtr SnapshotImage() override;
  double DisplayTwipsPerPixelX() const override;
  double DisplayTwipsPerPixelY() const override;
  bool IsPointerOver() override;
  void ShowCursor(SystemCursor cursor) override;
  void StartTimer(int interval_ms) override;
  void StopTimer() override;
  std::unique_ptr<StripSource> OpenStrip(const Picture& strip) override;
  void PropertyChanged(std::string_view name) override;

  void ApplyRegion();
  void Press(std::int16_t button, WPARAM wp, LPARAM lp);
  void Release(std::int16_t button, WPARAM wp, LPARAM lp);
  void DoubleClick();

  PersistentSurface surface_;
  std::int16_t back_style_ = kButtonInitialBackStyle;
  Colour fore_colour_ = kButtonInitialForeColour;
  FontSpec font_spec_ = ButtonInitialFont();
  UniqueFont font_;
  PicturePtr mask_;
  bool region_dirty_ = false;
  bool timer_running_ = false;
  // The button-up that ends a double-click is not followed by a click.
  bool in_double_ = false;
  std::unique_ptr<iButton> logic_;
};

}  // namespace orvane::win32
