#pragma once
// Stand-ins for the strip, the platform's window operations and the pages, all writing
// what is asked of them into one shared log so that tests can check the order of steps.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tabstrip/iutab.h"
#include "tabstrip/page_window_ops.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/tab_items.h"

namespace orvane::testing {

using Log = std::vector<std::string>;

class FakePage : public ITabForm {
 public:
  FakePage(Log& log, WindowHandle window) : log_(log), window_(window) {}

  WindowHandle hWnd() const override { return window_; }
  void Initialize(IuTab* Implement, std::weak_ptr<CTabItem> Item) override {
    log_.push_back("page" + std::to_string(window_) + ".Initialize");
    ++initialize_calls;
    implement = Implement;
    item = std::move(Item);
  }
  void RefreshPage() override {
    log_.push_back("page" + std::to_string(window_) + ".RefreshPage");
    ++refresh_calls;
  }
  void Unload() noexcept override {
    log_.push_back("page" + std::to_string(window_) + ".Unload");
    ++unload_calls;
  }

  int initialize_calls = 0;
  int refresh_calls = 0;
  int unload_calls = 0;
  IuTab* implement = nullptr;
  std::weak_ptr<CTabItem> item;

 private:
  Log& log_;
  WindowHandle window_;
};

class FakeWindowOps : public IPageWindowOps {
 public:
  explicit FakeWindowOps(Log& log) : log_(log) {}

  std::uint32_t WindowStyle(WindowHandle window) override {
    log_.push_back("GetStyle " + std::to_string(window));
    return styles[window];
  }
  void SetWindowStyle(WindowHandle window, std::uint32_t style) override {
    log_.push_back("SetStyle " + std::to_string(window) + " " + std::to_string(style));
    styles[window] = style;
  }
  void MakeTopLevel(WindowHandle window) override {
    log_.push_back("TopLevel " + std::to_string(window));
  }
  Size ScreenSize() override {
    log_.push_back("ScreenSize");
    return screen;
  }
  Rect WindowRect(WindowHandle window) override {
    log_.push_back("WindowRect " + std::to_string(window));
    return rects[window];
  }
  void PlaceOnTopShown(WindowHandle window, int x, int y) override {
    log_.push_back("Place " + std::to_string(window) + " " + std::to_string(x) + "," +
                   std::to_string(y));
  }
  void Activate(WindowHandle window) override {
    log_.push_back("Activate " + std::to_string(window));
  }
  void Repaint(WindowHandle window) override {
    log_.push_back("Repaint " + std::to_string(window));
  }

  std::map<WindowHandle, std::uint32_t> styles;
  std::map<WindowHandle, Rect> rects;
  Size screen{1024, 768};

 private:
  Log& log_;
};

// An owner that only records; its selection is a plain number.
class FakeStrip : public IuTab {
 public:
  FakeStrip(Log& log, IPageWindowOps& ops) : log_(log), items_(ops) { items_.SetOwner(this); }

  void Add(const std::string& Caption, const std::shared_ptr<ITabForm>& Form,
           const std::optional<std::string>& Key, const std::optional<TabIndex>&) override {
    log_.push_back("strip.Add " + Caption + " " + std::to_string(Form ? Form->hWnd() : 0) +
                   (Key ? " " + *Key : ""));
  }
  bool BeforeRemove(std::int32_t Index) override {
    log_.push_back("strip.BeforeRemove " + std::to_string(Index));
    return allow_remove;
  }
  void Remove(std::int32_t Index) override {
    log_.push_back("strip.Remove " + std::to_string(Index) + " count " +
                   std::to_string(items_.Count()));
  }
  void Clear() override { log_.push_back("strip.Clear count " + std::to_string(items_.Count())); }
  void Redraw(bool bUpdate) override {
    log_.push_back(std::string("strip.Redraw ") + (bUpdate ? "true" : "false"));
  }
  void ChangeForm(CTabItem& Item, const std::shared_ptr<ITabForm>& Form) override {
    log_.push_back("strip.ChangeForm " + Item.Caption() + " " +
                   std::to_string(Form ? Form->hWnd() : 0));
  }
  std::int32_t Selected() const override { return selected; }
  void SetSelected(std::int32_t value) override { selected = value; }
  CTabItems& TabItems() override { return items_; }
  WindowHandle hWnd() const override { return 500; }
  WindowHandle hParent() const override { return parent; }
  uTab* Control() override { return nullptr; }

  bool allow_remove = true;
  std::int32_t selected = -1;
  WindowHandle parent = 600;

 private:
  Log& log_;
  CTabItems items_;
};

// One strip with its log and pages that the tests can create freely.
struct ModelFixtureState {
  Log log;
  FakeWindowOps ops{log};
  std::vector<std::shared_ptr<FakePage>> pages;
  std::unique_ptr<FakeStrip> strip = std::make_unique<FakeStrip>(log, ops);

  CTabItems& items() { return strip->TabItems(); }
  std::shared_ptr<FakePage> NewPage() {
    pages.push_back(std::make_shared<FakePage>(log, 100 + pages.size()));
    return pages.back();
  }
  // Adds `n` tabs with keys "k0", "k1", … and captions "c0", "c1", …
  void AddTabs(int n) {
    for (int i = 0; i < n; ++i) {
      const std::string number = std::to_string(items().Count());
      items().Add("c" + number, NewPage(), "k" + number);
    }
    log.clear();
  }
};

}  // namespace orvane::testing
