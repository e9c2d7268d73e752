#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>
#include <string_view>

#include "base/gtk/gobject_owner.h"
#include "browser/gtk/webkit_browser.h"
#include "mainwin/gtk/boss_key_grab.h"
#include "mainwin/gtk/linux_tray.h"
#include "mainwin/web_main_frm.h"
#include "tabstrip/gtk/utab_widget.h"
#include "widgets/gtk/borderless_window.h"
#include "widgets/gtk/button_widget.h"
#include "widgets/gtk/caption_bar_widget.h"
#include "widgets/gtk/form_canvas.h"

namespace orvane::gtk {

// The main window on Linux: an undecorated top-level window whose client area is an
// overlay. Its base is the form's persistent drawing (the frame the caption bar paints);
// above it a fixed layer carries the caption bar, the logo, the tab strip, the caption
// and link buttons, the content container `pCnt` (an overlay, in which the tab strip
// shows the pages) and the placeholder `Picture1` with its idle browser. Being an overlay
// child, the fixed layer never keeps the window from being made smaller.
class GtkWebMainFrmView final : public WebMainFrmView, private browser::BrowserEvents {
 public:
  explicit GtkWebMainFrmView(WebMainFrmEvents& events);
  ~GtkWebMainFrmView() override;
  GtkWebMainFrmView(const GtkWebMainFrmView&) = delete;
  GtkWebMainFrmView& operator=(const GtkWebMainFrmView&) = delete;

  BForm& WebBForm() override { return bar_->Logic(); }
  iButton& web_tool() override { return tool_->Logic(); }
  iButton& web_min() override { return min_->Logic(); }
  iButton& web_minmax() override { return minmax_->Logic(); }
  iButton& web_close() override { return close_->Logic(); }
  iButton& GameSpaceBtn() override { return game_space_->Logic(); }
  iButton& OtherUserBtn() override { return other_user_->Logic(); }
  uTab& WebuTab() override { return strip_->Strip(); }
  void SetTabToolTipText(const std::string& text) override { strip_->SetToolTipText(text); }

  WindowHandle FormHandle() const override;
  WindowHandle pCnt() const override;

  PicturePtr LoadBitmapPicture(int id) override;
  void SetLogo(const PicturePtr& picture) override;
  void SetIconFromFile(const std::string& icon_file, int size) override;
  void SetTitle(std::string_view title) override;

  NotifyIconHost& TrayHost(const TrayMenu& menu) override;
  std::uint32_t TrayWindow() const override { return 0; }
  std::uint32_t TraySmallIcon() const override { return 0; }

  void HookHotKey() override;
  void UnhookHotKey() override;

  void SetWindowStyle(cSetStyleEvents& events) override;
  bool CallWindowStateChange() override { return style_.CallWindowStateChange(); }
  void ReleaseWindowStyle() override { style_.SetEvents(nullptr); }

  Size ClientSize() const override;
  Rect WindowRect() const override;
  Size ScreenSize() const override;
  void MoveWindow(int left, int top) override;
  int TabStripHeight() const override;
  void Move(MainWindowControl control, const Rect& twips) override;
  SkinTarget& FormSurface() override { return *canvas_; }
  void SetRoundedRegion(int width, int height, int ellipse) override;

  bool Picture1Visible() const override;
  void HidePicture1() override;
  void RefreshWebBrowser1() override { web_browser1_->Refresh(); }

  bool Minimized() const override;
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  void Minimize() override;
  void RestoreFromMinimized() override;
  void DragWindow() override;
  void ShowArrowCursor() override;
  void PopUpMenu(const TrayMenu& menu) override;

  // For the program's checks.
  GtkWindow* Window() const { return GTK_WINDOW(window_.get()); }
  const LinuxTray* Tray() const { return tray_.get(); }

 private:
  // browser::BrowserEvents of the idle placeholder browser: it is never navigated.
  void DocumentComplete(browser::DocumentId, const std::string&) override {}
  void TitleChange(const std::string&) override {}
  void BeforeNavigate2(const std::string&, bool&) override {}
  void NewWindow(const std::string&, bool& Processed) override { Processed = true; }

  void PlaceWidget(GtkWidget* widget, const Rect& pixels);
  void PlaceContent(GtkWidget* widget, const Rect& pixels);

  static void OnSizeAllocate(GtkWidget*, GdkRectangle* allocation, gpointer self);
  static gboolean OnResizeIdle(gpointer self);
  static gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnLogoDraw(GtkWidget*, cairo_t* cr, gpointer self);
  static gboolean OnContentPointer(GtkWidget*, GdkEvent*, gpointer self);

  WebMainFrmEvents& events_;
  // Created in this order; released in the reverse.
  GObjectOwner<GtkWidget> window_;
  GtkWidget* overlay_ = nullptr;  // owned by the window
  GObjectOwner<GtkWidget> surface_;
  GtkWidget* fixed_ = nullptr;  // owned by the overlay
  std::unique_ptr<FormCanvas> canvas_;
  std::unique_ptr<BFormWidget> bar_;
  GObjectOwner<GtkWidget> logo_;
  PicturePtr logo_picture_;
  std::unique_ptr<uTabWidget> strip_;
  std::unique_ptr<iButtonWidget> other_user_;
  std::unique_ptr<iButtonWidget> game_space_;
  std::unique_ptr<iButtonWidget> tool_;
  std::unique_ptr<iButtonWidget> min_;
  std::unique_ptr<iButtonWidget> minmax_;
  std::unique_ptr<iButtonWidget> close_;
  GObjectOwner<GtkWidget> content_;   // `pCnt`
  GObjectOwner<GtkWidget> picture1_;  // `Picture1`
  std::unique_ptr<WebKitBrowser> web_browser1_;
  cSetStyleWindow style_;
  std::unique_ptr<LinuxTray> tray_;
  std::unique_ptr<BossKeyGrab> boss_key_;
  Size laid_out_{};
  guint resize_idle_ = 0;
};

}  // namespace orvane::gtk
