#pragma once

#include <cstdint>

#include "widgets/borderless_geometry.h"
#include "widgets/borderless_host.h"

namespace orvane {

// The events of the borderless behaviour, in their declared order.
class cSetStyleEvents {
 public:
  virtual void CloseClick() {}
  virtual void SettingChange() {}
  virtual void MouseSize(std::int32_t theMouseStyle) { (void)theMouseStyle; }

 protected:
  ~cSetStyleEvents() = default;
};

// What a borderless window gets back of a frame: resizing from its edges with an
// outline that follows the mouse, maximising to the work area and restoring, a re-fit
// when the work area changes, and CloseClick for the system's close command. The
// platform part watches the window's messages (without ever consuming one) and calls
// the On... operations; this part decides.
class cSetStyle {
 public:
  explicit cSetStyle(cSetStyleHost& host) : host_(host) {}
  cSetStyle(const cSetStyle&) = delete;
  cSetStyle& operator=(const cSetStyle&) = delete;

  void SetEvents(cSetStyleEvents* owner) { owner_ = owner; }

  // Toggles maximised and restored; true when the window is now maximised.
  bool CallWindowStateChange();

  void OnSettingChange();
  void OnCloseCommand();
  // `left_button_down`: the left button is held (the move message's key state).
  void OnMouseMove(bool left_button_down);
  void OnLeftButtonDown();
  void OnLeftButtonUp();

  bool Resizing() const { return resizing_; }
  bool Maximised() const { return maximised_; }
  std::int32_t HitZone() const { return hit_zone_; }
  const FormPlace& SavedPlace() const { return saved_; }
  const EdgeRect& DrawnRect() const { return drawn_; }

 private:
  void MaximiseToWorkArea();
  cSetStyleEvents& Raise() const;

  cSetStyleHost& host_;
  cSetStyleEvents* owner_ = nullptr;
  bool screen_open_ = false;
  bool resizing_ = false;
  bool maximised_ = false;
  FormPlace saved_;
  std::int32_t hit_zone_ = kZoneNone;
  Point cursor_;
  EdgeRect drawn_;
  EdgeRect new_;
};

}  // namespace orvane
