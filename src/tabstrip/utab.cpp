#include "tabstrip/utab.h"

#include "base/canvas.h"

#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"
#include "tabstrip/tab_layout.h"
#include "tabstrip/tab_strip_painter.h"
#include "tabstrip/tab_strip_style.h"
#include "tabstrip/utab_events.h"
#include "tabstrip/utab_host.h"

namespace orvane {

uTab::uTab(IuTabHost& host, IPageWindowOps& window_ops)
    : host_(host), items_(std::make_unique<CTabItems>(window_ops)) {
  items_->SetOwner(this);
}

uTab::~uTab() {
  // The pages go first (the collection unloads them), then the drawing resources.
  items_.reset();
  painter_.reset();
}

void uTab::SetPainter(std::unique_ptr<ITabStripPainter> painter) {
  painter_ = std::move(painter);
}

WindowHandle uTab::hWnd() const {
  return host_.Window();
}

WindowHandle uTab::hParent() const {
  return host_.ParentForm();
}

int uTab::StripHeight() const {
  return TabStripStyleFor(tab_style_).strip_height;
}

TabPaintItem uTab::TabAt(int index) const {
  const auto item = items_->Item(index);
  if (!item) {
    return TabPaintItem{};
  }
  return TabPaintItem{item->Left(), item->Width(), item->Caption(), item->HideButton()};
}

TabHit uTab::HitTest(float x, float y) const {
  return orvane::HitTest(*items_, tab_style_, width_, left_size_, right_size_, x, y);
}

// ---- selection, hosting, layout, drawing

void uTab::SetSelected(std::int32_t value) {
  if (value < 0) {
    // No tab: the page shown so far stays where it is.
    selected_ = -1;
    DrawAll();
    return;
  }
  if (value > items_->Count() - 1) {
    return;
  }
  selected_ = value;
  FitSelectedPage();
  DrawAll();
}

void uTab::SethContainerWnd(WindowHandle window) {
  container_ = window;
  host_.WatchContainer(window);
}

void uTab::HostPage(WindowHandle page) {
  // Without a container there is nowhere to put the page; it stays as it is.
  if (container_ == 0 || page == 0) {
    return;
  }
  host_.HostPage(container_, page);
}

void uTab::FitSelectedPage() {
  if (selected_ < 0 || selected_ >= items_->Count() || container_ == 0) {
    return;
  }
  const auto& form = items_->Item(selected_)->Form();
  if (!form) {
    return;
  }
  const WindowHandle page = form->hWnd();
  if (page != 0) {
    host_.FitPage(container_, page);
  }
}

void uTab::LayoutTabs() {
  if (!drawing_enabled_) {
    return;
  }
  auto_width_ = orvane::LayoutTabs(*items_, tab_style_, width_, left_size_, right_size_);
}

// A picture that cannot be drawn (no memory for a scratch surface) is left as it was: the
// add, removal, selection or mouse action that asked for it has happened all the same.
void uTab::DrawAll() {
  if (drawing_enabled_ && painter_) {
    try {
      painter_->DrawAll(true);
    } catch (const DrawingError&) {
    }
  }
}

void uTab::DrawTabs() {
  if (drawing_enabled_ && painter_) {
    try {
      painter_->DrawTabs(true);
    } catch (const DrawingError&) {
    }
  }
}

void uTab::Paint(Surface& target) {
  if (painter_) {
    painter_->Paint(target);
  }
}

void uTab::LockReDraw(bool bLock) {
  drawing_enabled_ = !bLock;
  if (!bLock) {
    LayoutTabs();
    DrawAll();
  }
}

void uTab::refresh() {
  DrawAll();
}

void uTab::RefreshPage() {
  if (selected_ < 0 || selected_ >= items_->Count()) {
    return;
  }
  if (const auto& form = items_->Item(selected_)->Form()) {
    form->RefreshPage();
  }
}

void uTab::Resize(int width) {
  width_ = width;
  // Every step runs even when one before it failed: a strip too narrow for its buffers
  // shows nothing until a later resize succeeds.
  try {
    host_.SetStripHeight(StripHeight());
  } catch (...) {
  }
  try {
    if (painter_) {
      painter_->CreateBuffers();
    }
  } catch (...) {
  }
  try {
    LayoutTabs();
  } catch (...) {
  }
  try {
    DrawAll();
  } catch (...) {
  }
}

// ---- IuTab

void uTab::Add(const std::string&, const std::shared_ptr<ITabForm>& Form,
               const std::optional<std::string>&, const std::optional<TabIndex>&) {
  if (Form) {
    HostPage(Form->hWnd());
  }
  // Only an invalid selection is repaired, and without showing the page.
  if (selected_ > items_->Count() || selected_ < 0) {
    selected_ = 0;
  }
  LayoutTabs();
  DrawTabs();
}

bool uTab::BeforeRemove(std::int32_t Index) {
  bool cancel = false;
  if (events_) {
    events_->OnItemColose(Index, cancel);
  }
  return !cancel;
}

void uTab::Remove(std::int32_t Index) {
  LayoutTabs();
  if (Index == selected_) {
    selected_ = 0;
  } else if (selected_ > Index) {
    selected_ -= 1;
  }
  FitSelectedPage();
  DrawTabs();
}

void uTab::Clear() {
  LayoutTabs();
  selected_ = 0;
  DrawTabs();
}

void uTab::Redraw(bool) {
  DrawAll();
}

void uTab::ChangeForm(CTabItem&, const std::shared_ptr<ITabForm>& Form) {
  try {
    if (Form) {
      HostPage(Form->hWnd());
    }
    FitSelectedPage();
  } catch (...) {
    // A page that cannot be taken in simply is not shown.
  }
}

// ---- ITabPaintHost

void uTab::OnDrawBackground(Surface* hdc, int cx, int cy, bool& bSkipDefault) {
  if (events_) {
    events_->OnDrawBackground(hdc, cx, cy, bSkipDefault);
  }
}

void uTab::PresentBackBuffer(const Surface& back_buffer) {
  host_.PresentBackBuffer(back_buffer);
}

}  // namespace orvane
