#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "app/msg_frm.h"
#include "base/gtk/gobject_owner.h"
#include "widgets/gtk/button_widget.h"
#include "widgets/gtk/caption_bar_widget.h"
#include "widgets/gtk/form_canvas.h"

namespace orvane::gtk {

// The exit confirmation on Linux: an undecorated, modal window of 242 x 140 pixels,
// centred on the screen, whose client area is an overlay of the form's drawing (white,
// with the frame the caption bar paints) and a fixed layer with the caption bar, the
// question, the two answer buttons and the close button. While it is shown a nested main
// loop serves every other source, so the boss key and the tray go on working.
class GtkMsgFrmView final : public MsgFrmView {
 public:
  explicit GtkMsgFrmView(MsgFrmEvents& events);
  ~GtkMsgFrmView() override;
  GtkMsgFrmView(const GtkMsgFrmView&) = delete;
  GtkMsgFrmView& operator=(const GtkMsgFrmView&) = delete;

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

  GtkWindow* Window() const { return GTK_WINDOW(window_.get()); }

 private:
  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self);
  static gboolean OnResizeIdle(gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);

  MsgFrmEvents& events_;
  // Created in this order; released in the reverse.
  GObjectOwner<GtkWidget> window_;
  GtkWidget* overlay_ = nullptr;  // owned by the window
  GObjectOwner<GtkWidget> surface_;
  GtkWidget* fixed_ = nullptr;  // owned by the overlay
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWidget> bar_;
  GtkWidget* label_ = nullptr;  // owned by the fixed layer
  std::unique_ptr<iButtonWidget> yes_;
  std::unique_ptr<iButtonWidget> no_;
  std::unique_ptr<iButtonWidget> close_;
  GMainLoop* modal_loop_ = nullptr;  // while shown modally
  Size laid_out_{};
  guint resize_idle_ = 0;
};

}  // namespace orvane::gtk
