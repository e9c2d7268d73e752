#pragma once

#include <cstdint>

namespace orvane {

// The events a skinned button raises to the form that hosts it, in the order they are
// declared. The mouse and key arguments are references: the button goes on with them
// as the handler leaves them.
class iButtonEvents {
 public:
  virtual void Click() {}
  virtual void MouseDown(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
  }
  virtual void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode, (void)Shift; }
  virtual void KeyUP(std::int16_t& KeyCode, std::int16_t& Shift) { (void)KeyCode, (void)Shift; }
  virtual void KeyPress(std::int16_t& KeyAscii) { (void)KeyAscii; }
  virtual void MouseUp(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
  }
  virtual void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& Y) {
    (void)Button, (void)Shift, (void)X, (void)Y;
  }
  virtual void MouseOut() {}
  virtual void MouseOver() {}
  virtual void DBClick() {}

 protected:
  ~iButtonEvents() = default;
};

}  // namespace orvane
