#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "tabstrip/iutab.h"
#include "tabstrip/tab_hit_test.h"
#include "tabstrip/tab_items.h"
#include "tabstrip/tab_painter.h"

namespace orvane {

class IPageWindowOps;
class ITabStripPainter;
class IuTabEvents;
class IuTabHost;
class PropertyBag;

// The tab strip control without its window: layout, hit testing, the hover and close-box
// states, selection, the events raised to the hosting form and the hosting of page windows
// in the container. The platform's control feeds it native input and size changes and
// carries out what it asks through IuTabHost.
class uTab final : public IuTab, public ITabPaintSource, public ITabPaintHost {
 public:
  uTab(IuTabHost& host, IPageWindowOps& window_ops);
  ~uTab() override;
  uTab(const uTab&) = delete;
  uTab& operator=(const uTab&) = delete;

  // The form that receives the events; null raises them to nobody.
  void SetEvents(IuTabEvents* events) { events_ = events; }
  // Takes the painter; null draws nothing.
  void SetPainter(std::unique_ptr<ITabStripPainter> painter);
  const ITabStripPainter* Painter() const { return painter_.get(); }

  // ---- members of the control
  CTabItems& TabItems() override { return *items_; }
  const CTabItems& TabItems() const { return *items_; }
  std::int32_t Selected() const override { return selected_; }
  void SetSelected(std::int32_t value) override;
  WindowHandle hWnd() const override;
  WindowHandle hParent() const override;
  WindowHandle hContainerWnd() const { return container_; }
  // Stores the container and watches its size; moves no page.
  void SethContainerWnd(WindowHandle window);
  // The three design-time settings are only stored: they show at the next own resize.
  int TabStyle() const override { return tab_style_; }
  void SetTabStyle(std::int32_t value) { tab_style_ = value; }
  int TabLeftSize() const override { return left_size_; }
  void SetTabLeftSize(std::int32_t value) { left_size_ = value; }
  // The right margin is read as TabRightSize and written as TabRight.
  int TabRightSize() const override { return right_size_; }
  void SetTabRight(std::int32_t value) { right_size_ = value; }
  // false enables drawing, lays out and draws everything; true only disables drawing.
  void LockReDraw(bool bLock);
  void refresh();
  // Reloads the selected tab's page.
  void RefreshPage();
  uTab* Control() override { return this; }

  // ---- design-time settings in the host form's property data
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  // ---- native input, as the platform's control delivers it
  // The strip window got a new size: height of the style, buffers, layout, picture.
  void Resize(int width);
  // The container got a new size.
  void ContainerResized() { FitSelectedPage(); }
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseLeave();
  void DblClick();
  // The window asks for its picture.
  void Paint(Surface& target);

  // ---- state, read-only
  TabHit HitTest(float x, float y) const;
  int HoverIndex() const override { return hover_; }
  int CloseState() const override { return close_state_; }
  std::int32_t AutoWidth() const { return auto_width_; }
  bool DrawingEnabled() const override { return drawing_enabled_; }
  int StripWidth() const override { return width_; }
  int StripHeight() const override;
  int TabCount() const override { return items_->Count(); }
  TabPaintItem TabAt(int index) const override;

 private:
  struct Press {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0;
    float y = 0;
  };

  // IuTab, as the collection calls it.
  void Add(const std::string& Caption, const std::shared_ptr<ITabForm>& Form,
           const std::optional<std::string>& Key, const std::optional<TabIndex>& Index) override;
  bool BeforeRemove(std::int32_t Index) override;
  void Remove(std::int32_t Index) override;
  void Clear() override;
  void Redraw(bool bUpdate) override;
  void ChangeForm(CTabItem& Item, const std::shared_ptr<ITabForm>& Form) override;

  // ITabPaintHost
  void OnDrawBackground(Surface* hdc, int cx, int cy, bool& bSkipDefault) override;
  void PresentBackBuffer(const Surface& back_buffer) override;

  void LayoutTabs();
  void DrawAll();
  void DrawTabs();
  void HostPage(WindowHandle page);
  void FitSelectedPage();
  void HandlePress(std::int16_t button, std::int16_t shift, float x, float y);

  IuTabHost& host_;
  IuTabEvents* events_ = nullptr;
  // Declared before the tabs so that the pages are unloaded before the drawing resources go.
  std::unique_ptr<ITabStripPainter> painter_;
  std::unique_ptr<CTabItems> items_;

  std::int32_t tab_style_ = 0;
  std::int32_t left_size_ = 40;
  std::int32_t right_size_ = 0;
  std::int32_t selected_ = -1;
  std::int32_t hover_ = -1;
  std::int32_t close_state_ = 0;
  std::int32_t auto_width_ = 108;
  bool drawing_enabled_ = false;
  WindowHandle container_ = 0;
  Press last_press_;
  int width_ = 0;
};

}  // namespace orvane
