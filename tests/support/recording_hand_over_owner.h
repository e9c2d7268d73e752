#pragma once

#include <string>
#include <vector>

#include "mainwin/hand_over.h"

namespace orvane::testing {

// The running client's side of a hand-over: records the addresses it is told to open
// and counts the calls to bring the main window forward.
class RecordingHandOverOwner final : public HandOverOwner {
 public:
  std::vector<std::string> opened;
  int presented = 0;
  void OpenGameTab(const std::string& strURL) override { opened.push_back(strURL); }
  void PresentMainWindow() override { ++presented; }
};

}  // namespace orvane::testing
