#pragma once

#include <cstdint>

#include "base/pointer_input.h"

namespace orvane {

class Surface;

// The events the strip raises to the form that hosts it. Mouse arguments are references to
// the values as the platform delivered them, for the handler to read or change; a handler
// refuses a close with `Cancel` and takes over the background with `bSkipDefault`.
// Every event has an empty default, so a host overrides only what it handles.
class IuTabEvents {
 public:
  // A left press hit a tab (after the selection step).
  virtual void TabChanged() {}
  virtual void OnDblClick(std::int32_t /*ItemIndex*/, std::int16_t& /*Button*/,
                          std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void OnMouseDown(std::int32_t /*ItemIndex*/, std::int16_t& /*Button*/,
                           std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void OnMouseHover(std::int32_t /*ItemIndex*/, std::int16_t& /*Button*/,
                            std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void OnMouseMove(std::int32_t /*ItemIndex*/, std::int16_t& /*Button*/,
                           std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void OnMouseUp(std::int32_t /*ItemIndex*/, std::int16_t& /*Button*/,
                         std::int16_t& /*Shift*/, float& /*X*/, float& /*Y*/) {}
  virtual void OnMouseLeave() {}
  // The close question of a tab; `Cancel` is false on entry.
  virtual void OnItemColose(std::int32_t /*ItemIndex*/, bool& /*Cancel*/) {}
  // `hdc` is the background buffer (null while it is missing), cx x cy its size.
  virtual void OnDrawBackground(Surface* /*hdc*/, std::int32_t /*cx*/, std::int32_t /*cy*/,
                                bool& /*bSkipDefault*/) {}

 protected:
  ~IuTabEvents() = default;
};

}  // namespace orvane
