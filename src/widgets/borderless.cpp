#include "widgets/borderless.h"

#include "base/rounding.h"
#include "widgets/taskbar_height.h"

namespace orvane {

namespace {

class NoOwner final : public cSetStyleEvents {};

cSetStyleEvents& Silent() {
  static NoOwner silent;
  return silent;
}

}  // namespace

bool cSetStyle::CallWindowStateChange() {
  if (maximised_) {
    host_.MoveForm(saved_);
    maximised_ = false;
  } else {
    const FormPlace now = host_.Place();
    saved_ = FormPlace{static_cast<double>(CLng(now.left)), static_cast<double>(CLng(now.top)),
                       static_cast<double>(CLng(now.width)), static_cast<double>(CLng(now.height))};
    MaximiseToWorkArea();
    maximised_ = true;
  }
  return maximised_;
}

void cSetStyle::MaximiseToWorkArea() {
  const ScreenMetrics screen = host_.Screen();
  host_.MoveForm(
      FormPlace{screen.left, screen.top, screen.width, screen.height - GetTaskbarHeight(screen)});
}

void cSetStyle::OnSettingChange() {
  Raise().SettingChange();
  if (!host_.Minimised() && maximised_) {
    MaximiseToWorkArea();
  }
}

void cSetStyle::OnCloseCommand() {
  Raise().CloseClick();
}

void cSetStyle::OnMouseMove(bool left_button_down) {
  cursor_ = host_.CursorPos();
  if (!resizing_ && !maximised_) {
    hit_zone_ = HitTest(host_.WindowRect(), cursor_);
    Raise().MouseSize(hit_zone_);
    host_.SetFormPointer(ZonePointer(hit_zone_));
  }
  if (resizing_ && left_button_down) {
    if (!screen_open_) {
      host_.OpenScreenDrawing();
      screen_open_ = true;
    }
    UpdateResizeRect(new_, hit_zone_, cursor_);
    host_.DrawOutline(drawn_);
    host_.DrawOutline(new_);
    drawn_ = new_;
  }
}

void cSetStyle::OnLeftButtonDown() {
  cursor_ = host_.CursorPos();
  hit_zone_ = HitTest(host_.WindowRect(), cursor_);
  if (hit_zone_ != kZoneNone && !resizing_ && !maximised_) {
    resizing_ = true;
    drawn_ = new_ = host_.WindowRect();
    host_.OpenScreenDrawing();
    screen_open_ = true;
    host_.DrawOutline(drawn_);
  }
}

void cSetStyle::OnLeftButtonUp() {
  if (!resizing_) {
    return;
  }
  resizing_ = false;
  host_.DrawOutline(drawn_);
  host_.MoveWindowTo(drawn_);
  if (screen_open_) {
    host_.CloseScreenDrawing();
    screen_open_ = false;
  }
}

cSetStyleEvents& cSetStyle::Raise() const {
  return owner_ ? *owner_ : Silent();
}

}  // namespace orvane
