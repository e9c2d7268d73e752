#pragma once

#include "mainwin/notify_icon.h"

namespace orvane::testing {

// A tray icon's owner that counts the clicks it is told of.
class CountingTrayOwner final : public NotifyIconOwner {
 public:
  void OnTrayLeftClick() override { ++left; }
  void OnTrayRightClick() override { ++right; }
  int left = 0;
  int right = 0;
};

}  // namespace orvane::testing
