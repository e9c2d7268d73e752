#pragma once

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
// thread, in chunks of 8192 bytes, with the thread's pending events handled after every
// chunk so that `StopDownLoad` can arrive from a button. Lengths reported to the events
// are 32-bit counts that stop at their largest value instead of wrapping around.
//
// The owner must keep the object alive while `DownLoadFile` runs (ask it to stop and let
// the call return instead). A `DownLoadFile` started from an event handler while another
// runs on the same object fails at once: both would write the same kind of file.
class CNxDownLoadFile final : public FileDownloader {
 public:
  static constexpr std::size_t kChunkSize = 8192;

  CNxDownLoadFile(HttpClient& http, OutputFiles& files, EventPump& pump,
                  CNxDownLoadFileEvents* owner = nullptr);

  // True when the file was created and received the whole body, or the part of it that
  // arrived before a stop request. False, with the target file left as it was, when no
  // session, no address, a status other than 200, no or a zero Content-Length, or no
  // file could be had. False as well when the transfer broke off or the file could not
  // be written: the incomplete file is then deleted, so that nobody reads it as the
  // published one.
  bool DownLoadFile(const std::string& strURLFile, const std::string& strSaveFile, bool bHidden,
                    bool bRaiseEvent) override;

  // The running transfer ends after the chunk in progress.
  void StopDownLoad() { stop_ = true; }

 private:
  bool Transfer(HttpUrl& url, const std::string& strSaveFile, bool bHidden, bool bRaiseEvent);

  HttpClient& http_;
  OutputFiles& files_;
  EventPump& pump_;
  CNxDownLoadFileEvents* owner_;
  bool stop_ = false;
  bool running_ = false;
};

}  // namespace orvane
