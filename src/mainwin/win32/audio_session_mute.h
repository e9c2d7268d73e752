#pragma once

#include "mainwin/boss_key.h"

namespace orvane::win32 {

// The game's sound on Windows: the browser control plays in this process, so muting the
// process's audio session on the default output device silences every page at once.
// Without an output device (or audio service) nothing happens and nothing fails.
class AudioSessionMute final : public GameSound {
 public:
  void Silence() override;
  void Restore() override;

  // Whether this process has an audio session to mute, and whether it is muted now.
  static bool SessionAvailable();
  static bool SessionMuted();

 private:
  bool was_muted_ = false;
  bool silenced_ = false;
};

}  // namespace orvane::win32
