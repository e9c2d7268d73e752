#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "browser/browser.h"

namespace orvane {

// The main window as the boss key sees it.
class BossKeyWindow {
 public:
  virtual ~BossKeyWindow() = default;
  virtual bool WindowVisible() const = 0;
  virtual void HideWindow() = 0;
  virtual void ShowWindow() = 0;
};

// The game's sound: silenced while the window is hidden, then put back as it was.
class GameSound {
 public:
  virtual ~GameSound() = default;
  // Mutes every game page, remembering how each was.
  virtual void Silence() = 0;
  // Puts back what `Silence` remembered.
  virtual void Restore() = 0;
};

// F10, the tray icon's left click and the menu's "hide/restore": hide the window if it is
// visible, else show it. Hiding silences the game; showing again brings its sound back as
// it was before, including a page the player had muted himself.
class BossKey {
 public:
  BossKey(BossKeyWindow& window, GameSound& sound) : window_(window), sound_(sound) {}

  void Toggle();
  // True while the game is silenced because the boss key hid the window.
  bool Silenced() const { return silenced_; }

 private:
  BossKeyWindow& window_;
  GameSound& sound_;
  bool silenced_ = false;
};

// The game sound of a set of browser pages (the game tabs), listed afresh each time: a
// page muted before hiding stays muted, a page opened while hidden plays when shown.
class BrowserPagesSound final : public GameSound {
 public:
  using PageList = std::function<std::vector<browser::Browser*>()>;
  explicit BrowserPagesSound(PageList pages) : pages_(std::move(pages)) {}

  void Silence() override;
  void Restore() override;

 private:
  PageList pages_;
  std::map<const browser::Browser*, bool> was_muted_;
};

}  // namespace orvane
