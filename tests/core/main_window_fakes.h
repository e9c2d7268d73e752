#pragma once
// Recording stand-ins for the main window, its game pages and the exit confirmation: the
// controls' real logic (caption bar, buttons, tab strip) over hosts that draw nothing, and
// views that write every request into one log so that tests read the order of the steps.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/msg_frm.h"
#include "core/tab_strip_fakes.h"
#include "base/pointer_input.h"
#include "mainwin/web_main_frm.h"
#include "mainwin/web_url.h"
#include "support/scripted_browser.h"
#include "tabstrip/page_window_ops.h"
#include "tabstrip/utab.h"
#include "tabstrip/utab_host.h"
#include "widgets/button.h"
#include "widgets/caption_bar.h"

namespace orvane::test {

using Log = std::vector<std::string>;

inline std::string Box(const Rect& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

// A picture known by the resource number it was loaded from.
class NumberedPicture final : public Picture {
 public:
  explicit NumberedPicture(int id) : id(id) {}
  double WidthHimetric() const override { return PictureHimetricFromPixels(72); }
  double HeightHimetric() const override { return PictureHimetricFromPixels(18); }
  int id;
};

inline int PictureId(const PicturePtr& picture) {
  return picture ? static_cast<const NumberedPicture&>(*picture).id : 0;
}

class BlankStrip final : public StripSource {
 public:
  PicturePtr CutCell(int, int, int, int) override { return std::make_shared<NumberedPicture>(0); }
};

// A skinned button's surface that keeps nothing but the cursors it was asked to show.
class QuietButtonHost final : public iButtonHost {
 public:
  Size ControlSize() const override { return size_; }
  void SetControlSize(Size size) override { size_ = size; }
  void Clear() override {}
  void DrawPicture(const Picture&, const Rect&) override {}
  void DrawPictureNatural(const Picture&, Point) override {}
  Size MeasureText(std::string_view text) override {
    return Size{static_cast<int>(text.size()) * 6, 12};
  }
  void DrawText(std::string_view, Point) override {}
  void DrawFocusRect(const Rect&) override {}
  void Present() override {}
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  std::int16_t BackStyle() const override { return back_style_; }
  void SetBackStyle(std::int16_t style) override { back_style_ = style; }
  Colour BackColor() const override { return kButtonInitialBackColour; }
  Colour ForeColor() const override { return fore_; }
  void SetForeColor(Colour colour) override { fore_ = colour; }
  FontSpec Font() const override { return font_; }
  void SetFont(const FontSpec& font) override { font_ = font; }
  std::int16_t DrawMode() const override { return draw_mode_; }
  void SetDrawMode(std::int16_t mode) override { draw_mode_ = mode; }
  void SetMaskPicture(PicturePtr) override {}
  PicturePtr SnapshotImage() override { return std::make_shared<NumberedPicture>(0); }
  double DisplayTwipsPerPixelX() const override { return 15; }
  double DisplayTwipsPerPixelY() const override { return 15; }
  // Clicks are made with the pointer over the button.
  bool IsPointerOver() override { return true; }
  void ShowCursor(SystemCursor) override {}
  void StartTimer(int) override {}
  void StopTimer() override {}
  std::unique_ptr<StripSource> OpenStrip(const Picture&) override {
    return std::make_unique<BlankStrip>();
  }
  void PropertyChanged(std::string_view) override {}

 private:
  Size size_{24, 18};
  bool enabled_ = true;
  std::int16_t back_style_ = 1;
  Colour fore_ = 0;
  FontSpec font_ = ButtonInitialFont();
  std::int16_t draw_mode_ = kButtonInitialDrawMode;
};

// A button with its surface.
struct TestButton {
  QuietButtonHost host;
  iButton button{host};
};

// A window surface on which the caption bar paints the frame: each painting is one line.
class RecordingSurface final : public BFormHost {
 public:
  RecordingSurface(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
  Size TargetSize() const override { return Size{200, 33}; }
  void ClearToBackColor() override { log_.push_back(name_ + " painted"); }
  void CopyPicture(const Picture&, const Rect&, Point) override {}
  void Present() override {}
  PicturePtr Skin() const override { return nullptr; }
  void SetBarHeight(int) override {}
  void SetBackColor(Colour) override {}
  void PrintText(std::string_view, Point) override {}
  void ShowCursor(SystemCursor) override {}
  void DragWindow(WindowHandle window) override {
    if (window != 0) {
      log_.push_back(name_ + " drags " + std::to_string(window));
    }
  }
  void PropertyChanged(std::string_view) override {}

 private:
  Log& log_;
  std::string name_;
};

// --- the exit confirmation -----------------------------------------------------------------

class FakeMsgFrmView final : public MsgFrmView {
 public:
  FakeMsgFrmView(Log& log, MsgFrmEvents& events)
      : events(events), surface(log, "msg form"), bar_host(log, "msg bar"), log_(log) {}
  ~FakeMsgFrmView() override { log_.push_back("msg destroyed"); }
  BForm& BForm1() override { return bar; }
  iButton& iButton1() override { return yes.button; }
  iButton& iButton2() override { return no.button; }
  iButton& closebtn() override { return close.button; }
  PicturePtr LoadBitmapPicture(int id) override { return std::make_shared<NumberedPicture>(id); }
  Size ScaleSize() const override { return size; }
  SkinTarget& FormSurface() override { return surface; }
  void SetCaptionBarWidth(int twips) override {
    log_.push_back("msg bar width " + std::to_string(twips));
  }
  void SetCloseButtonLeft(int twips) override {
    log_.push_back("msg closebtn left " + std::to_string(twips));
  }
  void SetRoundedRegion(int width, int height, int ellipse) override {
    log_.push_back("msg region " + std::to_string(width) + "x" + std::to_string(height) + " " +
                   std::to_string(ellipse));
  }
  void DragWindow() override { log_.push_back("msg drag"); }
  void ShowModal() override {
    log_.push_back("msg shown");
    events.Form_Resize();
    modal = true;
    if (while_shown) {
      while_shown(*this);
    }
    log_.push_back(modal ? "msg closed by other means" : "msg returned");
    modal = false;
  }
  void Unload() override {
    log_.push_back("msg unload");
    modal = false;
  }

  // What the user does while the window is up (the nested loop's events).
  std::function<void(FakeMsgFrmView&)> while_shown;
  MsgFrmEvents& events;
  Size size{3630, 2100};  // 242 x 140 pixels
  bool modal = false;
  RecordingSurface surface;
  RecordingSurface bar_host;
  BForm bar{bar_host};
  TestButton yes;
  TestButton no;
  TestButton close;

 private:
  Log& log_;
};

// Clicks a button with the left mouse button, as the platform reports it: press, release,
// click.
inline void Click(iButton& button) {
  button.OnMouseDown(kLeftButton, 0, 5, 5);
  button.OnMouseUp(kLeftButton, 0, 5, 5);
  button.OnClick();
}

// Makes the confirmation's windows; `on_shown` is what the user does while one is up.
class FakeMsgFrmViews : public MsgFrmViews {
 public:
  explicit FakeMsgFrmViews(Log& log) : msg_log_(log) {}
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override {
    msg_log_.push_back("msg created");
    ++confirmations;
    auto view = std::make_unique<FakeMsgFrmView>(msg_log_, events);
    view->while_shown = on_shown;
    last_msg = view.get();
    return view;
  }
  std::function<void(FakeMsgFrmView&)> on_shown;
  int confirmations = 0;
  FakeMsgFrmView* last_msg = nullptr;  // dangles once the window is gone

 private:
  Log& msg_log_;
};

// --- the game pages ------------------------------------------------------------------------

class FakePageView final : public WebUrlView {
 public:
  FakePageView(Log& log, browser::BrowserEvents& events, WindowHandle window)
      : browser(events), window_(window), log_(log) {}
  ~FakePageView() override { log_.push_back("page " + std::to_string(window_) + " destroyed"); }
  WindowHandle hWnd() const override { return window_; }
  browser::Browser& wb() override { return browser; }

  ScriptedBrowser browser;

 private:
  WindowHandle window_;
  Log& log_;
};

// The page windows, numbered from 700 on, with the browser each one holds.
class FakePageViews : public WebUrlViews {
 public:
  explicit FakePageViews(Log& log) : page_log_(log) {}
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override {
    const WindowHandle window = 700 + static_cast<WindowHandle>(pages.size());
    page_log_.push_back("page " + std::to_string(window) + " created");
    auto view = std::make_unique<FakePageView>(page_log_, events, window);
    pages.push_back(view.get());
    return view;
  }
  // Every page view made so far (entries dangle once a page is destroyed).
  std::vector<FakePageView*> pages;

 private:
  Log& page_log_;
};

class RecordingSystemBrowser final : public browser::SystemBrowser {
 public:
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

// --- the main window ---------------------------------------------------------------------------

inline const char* ControlName(MainWindowControl control) {
  switch (control) {
    case MainWindowControl::WebBForm:
      return "WebBForm";
    case MainWindowControl::web_close:
      return "web_close";
    case MainWindowControl::web_minmax:
      return "web_minmax";
    case MainWindowControl::web_min:
      return "web_min";
    case MainWindowControl::web_tool:
      return "web_tool";
    case MainWindowControl::WebuTab:
      return "WebuTab";
    case MainWindowControl::GameSpaceBtn:
      return "GameSpaceBtn";
    case MainWindowControl::OtherUserBtn:
      return "OtherUserBtn";
    case MainWindowControl::Picture1:
      return "Picture1";
    case MainWindowControl::pCnt:
      return "pCnt";
  }
  return "?";
}

class RecordingTray final : public NotifyIconHost {
 public:
  explicit RecordingTray(Log& log) : log_(log) {}
  void Notify(NotifyIconCommand command, const NotifyIconState& state) override {
    const char* name = command == NotifyIconCommand::kAdd      ? "tray add "
                       : command == NotifyIconCommand::kDelete ? "tray delete "
                                                               : "tray modify ";
    log_.push_back(name + state.tip + " " + std::to_string(state.window) + " " +
                   std::to_string(state.icon));
  }

 private:
  Log& log_;
};

// The main window as a desktop would treat it: the maximise action and a restore from
// minimised change its size and report it, hiding and showing change what it reports.
class FakeMainWindowView final : public WebMainFrmView {
 public:
  static constexpr WindowHandle kWindow = 100;
  static constexpr WindowHandle kContainer = 900;
  static constexpr int kStripHeightTwips = 420;
  static constexpr Size kWorkArea{28800, 15750};  // 1920 x 1050 pixels
  static constexpr Size kDesign{15540, 9585};

  FakeMainWindowView(Log& log, WebMainFrmEvents& events)
      : events(events),
        bar_host(log, "bar"),
        surface(log, "form"),
        tray(log),
        strip_ops(strip_log),
        strip_host(strip_log),
        log_(log) {
    // The design-time settings of the strip, as the form's stored properties give them.
    strip.SetTabStyle(1);
    strip.SetTabLeftSize(10);
    strip.SetTabRight(0);
    strip.Resize(681);
  }
  ~FakeMainWindowView() override { log_.push_back("main destroyed"); }

  BForm& WebBForm() override { return bar; }
  iButton& web_tool() override { return tool.button; }
  iButton& web_min() override { return min.button; }
  iButton& web_minmax() override { return minmax.button; }
  iButton& web_close() override { return close.button; }
  iButton& GameSpaceBtn() override { return game_space.button; }
  iButton& OtherUserBtn() override { return other_user.button; }
  uTab& WebuTab() override { return strip; }
  void SetTabToolTipText(const std::string& text) override {
    log_.push_back("tooltip " + text);
    tooltip = text;
  }
  WindowHandle FormHandle() const override { return kWindow; }
  WindowHandle pCnt() const override { return kContainer; }
  PicturePtr LoadBitmapPicture(int id) override { return std::make_shared<NumberedPicture>(id); }
  void SetLogo(const PicturePtr& picture) override {
    log_.push_back("logo " + std::to_string(PictureId(picture)));
  }
  void SetIconFromFile(const std::string& icon_file, int size) override {
    log_.push_back("icon " + std::to_string(size) + " " + icon_file);
  }
  void SetTitle(std::string_view title) override { log_.push_back("title " + std::string(title)); }
  NotifyIconHost& TrayHost(const TrayMenu& menu) override {
    tray_menu = menu;
    return tray;
  }
  std::uint32_t TrayWindow() const override { return kWindow; }
  std::uint32_t TraySmallIcon() const override { return 55; }
  void HookHotKey() override { log_.push_back("hook hotkey"); }
  void UnhookHotKey() override { log_.push_back("unhook hotkey"); }
  void SetWindowStyle(cSetStyleEvents& style_events) override {
    log_.push_back("window style");
    objStyle = &style_events;
  }
  bool CallWindowStateChange() override {
    maximised = !maximised;
    log_.push_back(maximised ? "maximise" : "restore size");
    client = maximised ? kWorkArea : kDesign;
    events.Form_Resize();
    return maximised;
  }
  void ReleaseWindowStyle() override {
    log_.push_back("release style");
    objStyle = nullptr;
  }
  Size ClientSize() const override { return client; }
  Rect WindowRect() const override { return Rect{place.x, place.y, client.cx, client.cy}; }
  Size ScreenSize() const override { return Size{19200, 15360}; }  // 1280 x 1024 pixels
  void MoveWindow(int left, int top) override {
    log_.push_back("move window " + std::to_string(left) + "," + std::to_string(top));
    place = Point{left, top};
  }
  int TabStripHeight() const override { return kStripHeightTwips; }
  void Move(MainWindowControl control, const Rect& twips) override {
    log_.push_back(std::string("move ") + ControlName(control) + " " + Box(twips));
  }
  SkinTarget& FormSurface() override { return surface; }
  void SetRoundedRegion(int width, int height, int ellipse) override {
    log_.push_back("region " + std::to_string(width) + "x" + std::to_string(height) + " " +
                   std::to_string(ellipse));
  }
  bool Picture1Visible() const override { return picture1_visible; }
  void HidePicture1() override {
    if (picture1_visible) {
      log_.push_back("hide Picture1");
    }
    picture1_visible = false;
  }
  void RefreshWebBrowser1() override { log_.push_back("refresh WebBrowser1"); }
  bool Minimized() const override { return minimized; }
  bool Visible() const override { return visible; }
  void Show() override {
    log_.push_back("show");
    visible = true;
  }
  void Hide() override {
    log_.push_back("hide");
    visible = false;
  }
  void Minimize() override {
    log_.push_back("minimize");
    minimized = true;
    events.Form_Resize();
  }
  void RestoreFromMinimized() override {
    log_.push_back("restore from minimized");
    if (minimized) {
      minimized = false;
      events.Form_Resize();
    }
  }
  void DragWindow() override { log_.push_back("drag window"); }
  void ShowArrowCursor() override { log_.push_back("arrow"); }
  void PopUpMenu(const TrayMenu& menu) override {
    log_.push_back("popup menu");
    popped = &menu;
  }
  GameSound* ProgramSound() override { return program_sound; }

  WebMainFrmEvents& events;
  cSetStyleEvents* objStyle = nullptr;
  RecordingSurface bar_host;
  RecordingSurface surface;
  BForm bar{bar_host};
  TestButton tool, min, minmax, close, game_space, other_user;
  RecordingTray tray;
  TrayMenu tray_menu;  // the menu as the tray took it
  Log strip_log;       // the strip's own window requests, apart from the window's
  testing::FakeWindowOps strip_ops;
  testing::FakeStripHost strip_host;
  uTab strip{strip_host, strip_ops};
  Size client = kDesign;
  Point place;
  bool maximised = false;
  bool minimized = false;
  bool visible = false;
  bool picture1_visible = true;
  std::string tooltip = "unset";
  const TrayMenu* popped = nullptr;
  GameSound* program_sound = nullptr;  // the platform's own silencing, where it has one

 private:
  Log& log_;
};

// The main window's views: the window itself, its pages and its confirmation.
class FakeMainViews final : public WebMainFrmViews {
 public:
  explicit FakeMainViews(Log& log) : page_views(log), msg_views(log), log_(log) {}
  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override {
    log_.push_back("main created");
    ++main_windows;
    auto view = std::make_unique<FakeMainWindowView>(log_, events);
    view->program_sound = program_sound;
    main = view.get();
    return view;
  }
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override {
    return page_views.CreatePageView(events);
  }
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override {
    return msg_views.CreateMsgFrmView(events);
  }

  FakePageViews page_views;
  FakeMsgFrmViews msg_views;
  FakeMainWindowView* main = nullptr;  // dangles once the window is gone
  GameSound* program_sound = nullptr;  // handed to every main window made
  int main_windows = 0;

 private:
  Log& log_;
};

}  // namespace orvane::test
