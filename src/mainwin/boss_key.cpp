#include "mainwin/boss_key.h"

namespace orvane {

void BossKey::Toggle() {
  if (window_.WindowVisible()) {
    if (!silenced_) {
      sound_.Silence();
      silenced_ = true;
    }
    window_.HideWindow();
    return;
  }
  window_.ShowWindow();
  if (silenced_) {
    silenced_ = false;
    sound_.Restore();
  }
}

void BrowserPagesSound::Silence() {
  was_muted_.clear();
  for (browser::Browser* page : pages_()) {
    was_muted_[page] = page->Muted();
    page->SetMuted(true);
  }
}

void BrowserPagesSound::Restore() {
  for (browser::Browser* page : pages_()) {
    const auto found = was_muted_.find(page);
    page->SetMuted(found != was_muted_.end() && found->second);
  }
  was_muted_.clear();
}

}  // namespace orvane
