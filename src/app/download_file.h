#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/event_pump.h"
#include "app/http_session.h"
#include "app/output_file.h"

namespace orvane {

// Downloads a resource into a file; what the update check needs of `CNxDownLoadFile`.
class FileDownloader {
 public:
  virtual ~FileDownloader() = default;
  virtual bool DownLoadFile(const std::string& strURLFile, const std::string& strSaveFile,
                            bool bHidden, bool bRaiseEvent) = 0;
};

// Events of a download, raised to the object's owner when the call asks for them.
class CNxDownLoadFileEvents {
 public:
  virtual ~CNxDownLoadFileEvents() = default;
  // Once, with the announced length, before the file is created.
  virtual void QueryFileInfo(std::int32_t dwFileTotalLen) { (void)dwFileTotalLen; }
  // After every chunk written, with the number of bytes received so far.
  virtual void Loading(std::int32_t dwRecivedLen) { (void)dwRecivedLen; }
  // Once at the very end of every call, whether it succeeded or not.
  virtual void Complete() {}
};

// The HTTP download of the update check: one blocking transfer on the user-interface
// thread. The body is read in chunks of up to `kChunkSize` bytes and written as it comes
// to a file beside the target (the target's name followed by `kPartSuffix`), which takes
// the target's place only once the transfer has ended: whoever reads the target sees the
// earlier file or the new one, never a part. The thread's pending events are handled
// between chunks, at most every `PumpInterval()`, and every short while when the network
// keeps the transfer waiting, so that the windows stay alive and `StopDownLoad` can
// arrive from a button. Lengths reported to the events are 32-bit counts that stop at
// their largest value instead of wrapping around.
//
// The owner must keep the object alive while `DownLoadFile` runs (ask it to stop and let
// the call return instead). A `DownLoadFile` started from an event handler while another
// runs on the same object fails at once: both would write the same kind of file.
class CNxDownLoadFile final : public FileDownloader, private HttpWaiter {
 public:
  static constexpr std::size_t kChunkSize = 256 * 1024;
  static constexpr const char* kPartSuffix = ".part";
  static constexpr std::chrono::milliseconds kPumpInterval{10};

  CNxDownLoadFile(HttpClient& http, OutputFiles& files, EventPump& pump,
                  CNxDownLoadFileEvents* owner = nullptr);

  // True when the file was written with the whole body, or with the part of it that
  // arrived before a stop request. False, with the target file left as it was, when no
  // session, no address, a status other than 200, no or a zero Content-Length, no file,
  // a transfer that broke off (connection lost, body shorter than announced, server
  // silent for too long) or a file that could not be written (disk full, folder gone).
  bool DownLoadFile(const std::string& strURLFile, const std::string& strSaveFile, bool bHidden,
                    bool bRaiseEvent) override;

  // The running transfer ends after the chunk in progress, or at once while it waits for
  // the network.
  void StopDownLoad() { stop_ = true; }

  // The least time between two rounds of event handling while chunks arrive back to back;
  // zero handles the events after every chunk.
  void SetPumpInterval(std::chrono::milliseconds interval) { pump_interval_ = interval; }
  std::chrono::milliseconds PumpInterval() const { return pump_interval_; }

 private:
  bool Transfer(HttpUrl& url, const std::string& strSaveFile, bool bHidden, bool bRaiseEvent);
  bool KeepWaiting() override;
  void Pump();

  HttpClient& http_;
  OutputFiles& files_;
  EventPump& pump_;
  CNxDownLoadFileEvents* owner_;
  bool stop_ = false;
  bool running_ = false;
  std::chrono::milliseconds pump_interval_ = kPumpInterval;
  std::chrono::steady_clock::time_point last_pump_{};
};

}  // namespace orvane
