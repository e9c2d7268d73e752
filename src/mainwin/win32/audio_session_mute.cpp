#include "mainwin/win32/audio_session_mute.h"

#include <windows.h>
#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include "base/win32/unique_handle.h"

namespace orvane::win32 {
namespace {

// COM for the calling thread for as long as the object lives; the thread may already have
// it in another model, which serves as well.
class ComScope {
 public:
  ComScope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_))
      ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// The volume control of this process's default audio session on the default output.
ComPtr<ISimpleAudioVolume> SessionVolume() {
  ComPtr<IMMDeviceEnumerator> devices;
  if (FAILED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                                __uuidof(IMMDeviceEnumerator), devices.put_void()))) {
    return nullptr;
  }
  ComPtr<IMMDevice> device;
  if (FAILED(devices->GetDefaultAudioEndpoint(eRender, eMultimedia, device.put()))) {
    return nullptr;
  }
  ComPtr<IAudioSessionManager2> sessions;
  if (FAILED(device->Activate(__uuidof(IAudioSessionManager2), CLSCTX_INPROC_SERVER, nullptr,
                              sessions.put_void()))) {
    return nullptr;
  }
  ComPtr<ISimpleAudioVolume> volume;
  if (FAILED(sessions->GetSimpleAudioVolume(nullptr, FALSE, volume.put()))) {
    return nullptr;
  }
  return volume;
}

}  // namespace

void AudioSessionMute::Silence() {
  ComScope com;
  const ComPtr<ISimpleAudioVolume> volume = SessionVolume();
  if (!volume) {
    return;
  }
  BOOL muted = FALSE;
  if (FAILED(volume->GetMute(&muted))) {
    return;
  }
  if (SUCCEEDED(volume->SetMute(TRUE, nullptr))) {
    was_muted_ = muted != FALSE;
    silenced_ = true;
  }
}

void AudioSessionMute::Restore() {
  if (!silenced_) {
    return;
  }
  silenced_ = false;
  ComScope com;
  if (const ComPtr<ISimpleAudioVolume> volume = SessionVolume()) {
    volume->SetMute(was_muted_ ? TRUE : FALSE, nullptr);
  }
}

bool AudioSessionMute::SessionAvailable() {
  ComScope com;
  return static_cast<bool>(SessionVolume());
}

bool AudioSessionMute::SessionMuted() {
  ComScope com;
  BOOL muted = FALSE;
  if (const ComPtr<ISimpleAudioVolume> volume = SessionVolume()) {
    volume->GetMute(&muted);
  }
  return muted != FALSE;
}

}  // namespace orvane::win32
