// The strip's answers to the mouse: selection by press, the hover and close-box states,
// closing a tab by its close box, and the mouse events raised to the host.
#include "tabstrip/utab.h"

#include "tabstrip/tab_item.h"
#include "tabstrip/utab_events.h"
#include "tabstrip/utab_host.h"

namespace orvane {
namespace {

bool IsTab(std::int32_t index, std::int32_t count) {
  return index >= 0 && index < count;
}

}  // namespace

void uTab::HandlePress(std::int16_t button, std::int16_t shift, float x, float y) {
  std::int32_t index = 0;
  if (button == kLeftButton) {
    const TabHit hit = HitTest(x, y);
    index = hit.index;
    if (IsTab(index, items_->Count())) {
      if (index != selected_ && !hit.over_close) {
        selected_ = index;
        FitSelectedPage();
        DrawTabs();
      } else if (hit.over_close && close_state_ != 2) {
        close_state_ = 2;
        DrawTabs();
      }
      if (events_) {
        events_->TabChanged();
      }
    }
  }
  if (events_) {
    events_->OnMouseDown(index, button, shift, x, y);
  }
}

void uTab::MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  last_press_ = Press{button, shift, x, y};
  HandlePress(button, shift, x, y);
}

void uTab::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  std::int32_t index = 0;
  if (button == 0) {
    host_.TrackMouseLeave();
    const TabHit hit = HitTest(x, y);
    index = hit.index;
    const std::int32_t state = hit.over_close ? 1 : 0;
    if (index != hover_ || state != close_state_) {
      if (index != hover_ && events_) {
        events_->OnMouseHover(index, button, shift, x, y);
      }
      hover_ = index;
      close_state_ = state;
      DrawTabs();
    }
  }
  if (events_) {
    events_->OnMouseMove(index, button, shift, x, y);
  }
}

void uTab::MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  std::int32_t index = 0;
  if (button == kLeftButton) {
    const TabHit hit = HitTest(x, y);
    index = hit.index;
    close_state_ = 0;
    // Only the close box of the tab that was under the pointer when the button went down
    // closes it: the hover index stays put while a button is held.
    if (IsTab(index, items_->Count()) && index == hover_ && hit.over_close &&
        !items_->Item(index)->HideButton()) {
      items_->Remove(index, true);
    }
    DrawAll();
  }
  if (events_) {
    events_->OnMouseUp(index, button, shift, x, y);
  }
}

void uTab::MouseLeave() {
  if (hover_ != -1) {
    hover_ = -1;
    DrawTabs();
  }
  if (events_) {
    events_->OnMouseLeave();
  }
}

void uTab::DblClick() {
  Press press = last_press_;
  const std::int32_t index = HitTest(press.x, press.y).index;
  HandlePress(press.button, press.shift, press.x, press.y);
  if (events_) {
    events_->OnDblClick(index, press.button, press.shift, press.x, press.y);
  }
}

}  // namespace orvane
