#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/msg_frm.h"
#include "base/win32/unique_handle.h"
#include "base/win32/window_base.h"
#include "widgets/win32/button_window.h"
#include "widgets/win32/caption_bar_window.h"
#include "widgets/win32/form_canvas.h"

namespace orvane::win32 {

// The exit confirmation `MsgFrm` on Windows: a borderless white window of 242 x 140 pixels
// centred on the screen, with the caption bar, the question, the two answer buttons and
// the close button. Shown modally: every other window of the program is disabled and a
// nested message loop runs until the window unloads, so that the main window's hotkey and
// tray messages go on being dispatched meanwhile.
class MsgFrmWindow final : public MsgFrmView, private BoundWindow {
 public:
  explicit MsgFrmWindow(MsgFrmEvents& events);
  ~MsgFrmWindow() override;
  MsgFrmWindow(const MsgFrmWindow&) = delete;
  MsgFrmWindow& operator=(const MsgFrmWindow&) = delete;

  BForm& BForm1() override { return bar_->Logic(); }
  iButton& iButton1() override { return yes_->Logic(); }
  iButton& iButton2() override { return no_->Logic(); }
  iButton& closebtn() override { return close_->Logic(); }
  PicturePtr LoadBitmapPicture(int id) override;
  Size ScaleSize() const override;
  SkinTarget& FormSurface() override { return *canvas_; }
  void SetCaptionBarWidth(int twips) override;
  void SetCloseButtonLeft(int twips) override;
  void SetRoundedRegion(int width, int height, int ellipse) override;
  void DragWindow() override;
  void ShowModal() override;
  void Unload() override;

  HWND Window() const { return hWnd(); }
  HWND YesWindow() const { return yes_->hWnd(); }
  HWND NoWindow() const { return no_->hWnd(); }
  HWND CloseWindow() const { return close_->hWnd(); }
  HWND LabelWindow() const { return label_.get(); }

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void EndModal();

  MsgFrmEvents& events_;
  // Created in this order; released in the reverse.
  std::unique_ptr<FormCanvas> canvas_;
  UniqueBrush white_;
  UniqueFont font_;
  std::unique_ptr<BFormWindow> bar_;
  UniqueWindow label_;
  std::unique_ptr<iButtonWindow> yes_;
  std::unique_ptr<iButtonWindow> no_;
  std::unique_ptr<iButtonWindow> close_;
  // The windows the modal showing disabled, enabled again when it ends.
  std::vector<HWND> disabled_;
  bool modal_ = false;
};

}  // namespace orvane::win32
