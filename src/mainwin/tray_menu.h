#pragma once
// The program menu as a tray that draws menus itself receives it: labels in order, with
// separators, and what each item does when the tray reports it chosen.

#include <functional>
#include <string>
#include <vector>

namespace orvane {

struct TrayMenuItem {
  std::string label;  // UTF-8; "-" makes a separator
  bool enabled = true;
  std::function<void()> run;

  bool IsSeparator() const { return label == "-"; }
};

using TrayMenu = std::vector<TrayMenuItem>;

}  // namespace orvane
