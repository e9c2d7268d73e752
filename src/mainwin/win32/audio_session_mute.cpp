#include "mainwin/win32/audio_session_mute.h"

#include <mmdeviceapi.h>

namespace orvane::win32 {
namespace {

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

// The thread may already have COM in another model, which serves as well.
AudioSessionMute::AudioSessionMute() : com_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

AudioSessionMute::~AudioSessionMute() {
  volume_.reset();
  if (SUCCEEDED(com_)) {
    ::CoUninitialize();
  }
}

ISimpleAudioVolume* AudioSessionMute::Session() {
  if (!volume_) {
    volume_ = SessionVolume();
  }
  return volume_.get();
}

void AudioSessionMute::Silence() {
  ISimpleAudioVolume* volume = Session();
  BOOL muted = FALSE;
  if (silenced_ || !volume || FAILED(volume->GetMute(&muted)) ||
      FAILED(volume->SetMute(TRUE, nullptr))) {
    return;
  }
  was_muted_ = muted != FALSE;
  silenced_ = true;
}

void AudioSessionMute::Restore() {
  if (silenced_ && volume_) {
    volume_->SetMute(was_muted_ ? TRUE : FALSE, nullptr);
  }
  silenced_ = false;
}

bool AudioSessionMute::SessionAvailable() {
  return Session() != nullptr;
}

bool AudioSessionMute::SessionMuted() {
  BOOL muted = FALSE;
  if (ISimpleAudioVolume* volume = Session()) {
    volume->GetMute(&muted);
  }
  return muted != FALSE;
}

}  // namespace orvane::win32
