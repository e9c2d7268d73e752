#pragma once

#include <windows.h>
#include <audiopolicy.h>

#include "base/win32/unique_handle.h"
#include "mainwin/boss_key.h"

namespace orvane::win32 {

// The game's sound on Windows: the browser control plays in this process, so muting the
// process's audio session on the default output device silences every page at once.
// Without an output device (or audio service) nothing happens and nothing fails.
class AudioSessionMute final : public GameSound {
 public:
  AudioSessionMute();
  ~AudioSessionMute() override;
  AudioSessionMute(const AudioSessionMute&) = delete;
  AudioSessionMute& operator=(const AudioSessionMute&) = delete;

  void Silence() override;
  void Restore() override;

  // Whether the process's audio session can be reached, and whether it is muted now.
  bool SessionAvailable();
  bool SessionMuted();

 private:
  // The session's volume control, found on first use and kept: the mute belongs to it.
  ISimpleAudioVolume* Session();

  // COM stays joined for the object's life: leaving it last would unload the audio
  // libraries, and the session's mute with them.
  HRESULT com_;
  ComPtr<ISimpleAudioVolume> volume_;
  bool silenced_ = false;
  bool was_muted_ = false;
};

}  // namespace orvane::win32
