#pragma once

#include <gtk/gtk.h>

#include "base/gtk/gobject_owner.h"
#include "widgets/borderless.h"
#include "widgets/gtk/resize_outline.h"

namespace orvane::gtk {

// The borderless behaviour on GTK: takes the window manager's frame away and watches
// the form's pointer events, its close request and changes of the work area, passing
// each on (nothing is consumed) after telling the behaviour's logic.
class cSetStyleWindow final : private cSetStyleHost {
 public:
  cSetStyleWindow() = default;
  ~cSetStyleWindow();
  cSetStyleWindow(const cSetStyleWindow&) = delete;
  cSetStyleWindow& operator=(const cSetStyleWindow&) = delete;

  cSetStyle& Logic() { return logic_; }
  void SetEvents(cSetStyleEvents* owner) { logic_.SetEvents(owner); }

  // The managed form.
  GtkWindow* objForm() const { return form_; }
  void objForm(GtkWindow* form) { form_ = form; }
  // Takes the frame away from `hWnd` and starts watching it; it becomes objForm when
  // none was set.
  void SetWindowStyle(GtkWindow* hWnd);
  bool CallWindowStateChange() { return logic_.CallWindowStateChange(); }

  // What the outline shows now (for the window's owner and for checks).
  const std::optional<EdgeRect>& OutlineShown() const { return outline_.Shown(); }

 private:
  // cSetStyleHost
  Point CursorPos() override;
  EdgeRect WindowRect() override;
  void SetFormPointer(ResizePointer pointer) override;
  void OpenScreenDrawing() override {}
  void DrawOutline(const EdgeRect& rect) override { outline_.Draw(rect); }
  void CloseScreenDrawing() override {}
  void MoveWindowTo(const EdgeRect& rect) override;
  FormPlace Place() override;
  void MoveForm(const FormPlace& place) override;
  bool Minimised() override;
  ScreenMetrics Screen() override;

  void Unwatch();
  bool OnForm(GdkWindow* window) const;

  static gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer self);
  static gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static void OnMonitorsChanged(GdkScreen*, gpointer self);
  static GdkFilterReturn OnRootEvent(GdkXEvent* native, GdkEvent*, gpointer self);
  static gboolean OnSettingChangeIdle(gpointer self);

  cSetStyle logic_{*this};
  GtkWindow* form_ = nullptr;
  GObjectOwner<GtkWindow> watched_;
  GObjectOwner<GdkScreen> screen_;
  GObjectOwner<GdkWindow> root_;
  guint pending_setting_change_ = 0;
  const GdkEventMotion* last_motion_ = nullptr;
  guint32 last_motion_time_ = 0;
  ResizeOutline outline_;
};

}  // namespace orvane::gtk
