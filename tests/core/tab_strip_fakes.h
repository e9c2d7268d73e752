#pragma once
// A strip's logic with recording stand-ins for its window, its painter and its host form.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/canvas.h"
#include "core/tab_model_fakes.h"
#include "tabstrip/tab_strip_painter.h"
#include "tabstrip/utab.h"
#include "tabstrip/utab_events.h"
#include "tabstrip/utab_host.h"

namespace orvane::testing {

class FakeStripHost : public IuTabHost {
 public:
  explicit FakeStripHost(Log& log) : log_(log) {}
  WindowHandle Window() const override { return 500; }
  WindowHandle ParentForm() const override { return parent; }
  void SetStripHeight(int height) override { log_.push_back("Height " + std::to_string(height)); }
  void WatchContainer(WindowHandle container) override {
    log_.push_back("Watch " + std::to_string(container));
  }
  void HostPage(WindowHandle container, WindowHandle page) override {
    log_.push_back("Host " + std::to_string(page) + " in " + std::to_string(container));
  }
  void FitPage(WindowHandle container, WindowHandle page) override {
    log_.push_back("Fit " + std::to_string(page) + " in " + std::to_string(container));
  }
  void TrackMouseLeave() override { log_.push_back("Track"); }
  void PresentBackBuffer(const Surface&) override { log_.push_back("Present"); }

  WindowHandle parent = 600;

 private:
  Log& log_;
};

class FakePainter : public ITabStripPainter {
 public:
  explicit FakePainter(Log& log) : log_(log) {}
  ~FakePainter() override { log_.push_back("painter gone"); }
  void CreateBuffers() override {
    log_.push_back("CreateBuffers");
    if (fail_buffers) {
      throw DrawingError(kErrCreateBitmapFailed);
    }
  }
  void DrawAll(bool update) override {
    log_.push_back(update ? "DrawAll" : "DrawAll false");
    if (fail_drawing) {
      throw DrawingError(kErrCreateDcFailed);
    }
  }
  void DrawTabs(bool update) override {
    log_.push_back(update ? "DrawTabs" : "DrawTabs false");
    if (fail_drawing) {
      throw DrawingError(kErrCreateDcFailed);
    }
  }
  void Paint(Surface&) override { log_.push_back("Paint"); }

  bool fail_buffers = false;
  bool fail_drawing = false;

 private:
  Log& log_;
};

// Records the events; can refuse closes and change by-reference arguments.
class FakeStripEvents : public IuTabEvents {
 public:
  explicit FakeStripEvents(Log& log) : log_(log) {}
  void TabChanged() override { log_.push_back("TabChanged"); }
  void OnDblClick(std::int32_t i, std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    Mouse("OnDblClick", i, b, s, x, y);
  }
  void OnMouseDown(std::int32_t i, std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    Mouse("OnMouseDown", i, b, s, x, y);
  }
  void OnMouseHover(std::int32_t i, std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    Mouse("OnMouseHover", i, b, s, x, y);
    if (hover_moves_x) {
      x += 1000;
    }
  }
  void OnMouseMove(std::int32_t i, std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    Mouse("OnMouseMove", i, b, s, x, y);
  }
  void OnMouseUp(std::int32_t i, std::int16_t& b, std::int16_t& s, float& x, float& y) override {
    Mouse("OnMouseUp", i, b, s, x, y);
  }
  void OnMouseLeave() override { log_.push_back("OnMouseLeave"); }
  void OnItemColose(std::int32_t i, bool& cancel) override {
    log_.push_back("OnItemColose " + std::to_string(i) + (cancel ? " cancel" : ""));
    cancel = refuse_close;
  }
  void OnDrawBackground(Surface* hdc, std::int32_t cx, std::int32_t cy, bool& skip) override {
    log_.push_back("OnDrawBackground " + std::to_string(cx) + "x" + std::to_string(cy) +
                   (hdc ? "" : " no buffer") + (skip ? " skip" : ""));
  }

  bool refuse_close = false;
  bool hover_moves_x = false;

 private:
  void Mouse(const char* name, std::int32_t i, std::int16_t b, std::int16_t s, float x, float y) {
    log_.push_back(std::string(name) + " " + std::to_string(i) + " b" + std::to_string(b) + " s" +
                   std::to_string(s) + " " + std::to_string(static_cast<int>(x)) + "," +
                   std::to_string(static_cast<int>(y)));
  }
  Log& log_;
};

// A strip as a host form sets it up: properties, container, drawing unlocked, a size.
struct StripFixtureState {
  Log log;
  FakeWindowOps ops{log};
  FakeStripHost host{log};
  FakeStripEvents events{log};
  FakePainter* painter = nullptr;
  std::vector<std::shared_ptr<FakePage>> pages;
  std::unique_ptr<uTab> strip;

  StripFixtureState() { Recreate(); }

  void Recreate() {
    strip.reset();
    strip = std::make_unique<uTab>(host, ops);
    auto p = std::make_unique<FakePainter>(log);
    painter = p.get();
    strip->SetPainter(std::move(p));
    strip->SetEvents(&events);
  }
  // Style, margins and width, then the container and unlocking, as the main window does.
  void SetUp(int style, int left, int right, int width, int tabs) {
    strip->SetTabStyle(style);
    strip->SetTabLeftSize(left);
    strip->SetTabRight(right);
    strip->SethContainerWnd(900);
    strip->LockReDraw(false);
    strip->Resize(width);
    AddTabs(tabs);
    log.clear();
  }
  CTabItems& items() { return strip->TabItems(); }
  std::shared_ptr<FakePage> NewPage() {
    pages.push_back(std::make_shared<FakePage>(log, 100 + pages.size()));
    return pages.back();
  }
  void AddTabs(int n) {
    for (int i = 0; i < n; ++i) {
      const std::string number = std::to_string(items().Count());
      items().Add("c" + number, NewPage(), "k" + number);
    }
  }
  std::vector<int> Lefts() {
    std::vector<int> out;
    for (int i = 0; i < items().Count(); ++i)
      out.push_back(items().Item(i)->Left());
    return out;
  }
  std::vector<int> Widths() {
    std::vector<int> out;
    for (int i = 0; i < items().Count(); ++i)
      out.push_back(items().Item(i)->Width());
    return out;
  }
};

}  // namespace orvane::testing
