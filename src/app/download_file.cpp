#include "app/download_file.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <span>

namespace orvane {
namespace {

constexpr std::int32_t kStatusOk = 200;

std::int32_t Saturated32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

enum class LoopEnd { kEndOfData, kStopped, kBroken };

// Marks a transfer as running for as long as it is in scope, also when a handler throws.
class RunningScope {
 public:
  explicit RunningScope(bool& running) : running_(running) { running_ = true; }
  ~RunningScope() { running_ = false; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

 private:
  bool& running_;
};

}  // namespace

CNxDownLoadFile::CNxDownLoadFile(HttpClient& http, OutputFiles& files, EventPump& pump,
                                 CNxDownLoadFileEvents* owner)
    : http_(http), files_(files), pump_(pump), owner_(owner) {}

bool CNxDownLoadFile::DownLoadFile(const std::string& strURLFile, const std::string& strSaveFile,
                                   bool bHidden, bool bRaiseEvent) {
  const bool events = bRaiseEvent && owner_ != nullptr;
  bool result = false;
  if (!running_) {
    const RunningScope running(running_);
    stop_ = false;
    last_pump_ = std::chrono::steady_clock::now();
    if (std::unique_ptr<HttpSession> session = http_.OpenSession()) {
      // The address is closed before its session: `url` ends first.
      if (std::unique_ptr<HttpUrl> url = session->OpenUrl(strURLFile, this)) {
        result = Transfer(*url, strSaveFile, bHidden, events);
      }
    }
  }
  if (events) {
    owner_->Complete();
  }
  return result;
}

void CNxDownLoadFile::Pump() {
  pump_.ProcessPendingEvents();
  last_pump_ = std::chrono::steady_clock::now();
}

bool CNxDownLoadFile::KeepWaiting() {
  Pump();
  return !stop_;
}

bool CNxDownLoadFile::Transfer(HttpUrl& url, const std::string& strSaveFile, bool bHidden,
                               bool events) {
  if (url.StatusCode() != kStatusOk) {
    return false;
  }
  const std::optional<std::int64_t> length = url.ContentLength();
  if (!length || *length <= 0) {
    return false;
  }
  if (events) {
    owner_->QueryFileInfo(Saturated32(*length));
  }
  // The body goes to a file of its own beside the target. One left behind by a run that
  // was cut short goes first, with whatever attributes it had.
  const std::string part = strSaveFile + kPartSuffix;
  files_.Remove(part);
  std::unique_ptr<OutputFile> file = files_.CreateAlways(part, bHidden);
  if (!file) {
    return false;
  }

  const std::unique_ptr<char[]> chunk = std::make_unique_for_overwrite<char[]>(kChunkSize);
  const std::span<char> buffer(chunk.get(), kChunkSize);
  std::int64_t total = 0;
  LoopEnd end = LoopEnd::kEndOfData;
  while (true) {
    if (stop_) {
      end = LoopEnd::kStopped;
      break;
    }
    const std::optional<std::size_t> count = url.Read(buffer);
    if (!count || *count > buffer.size()) {
      // A read given up because a stop arrived while it waited ends like a stop.
      end = !count && stop_ ? LoopEnd::kStopped : LoopEnd::kBroken;
      break;
    }
    if (*count == 0) {
      break;
    }
    if (!file->Write(buffer.first(*count))) {
      end = LoopEnd::kBroken;
      break;
    }
    total += static_cast<std::int64_t>(*count);
    if (events) {
      owner_->Loading(Saturated32(total));
    }
    if (std::chrono::steady_clock::now() - last_pump_ >= pump_interval_) {
      Pump();
    }
  }

  const bool closed = file->Close();
  file.reset();
  // A body that ends before its announced length lost its end on the way, even when the
  // connection closed without an error being reported.
  const bool incomplete =
      end == LoopEnd::kBroken || (end == LoopEnd::kEndOfData && total < *length);
  if (incomplete || !closed || !files_.Rename(part, strSaveFile)) {
    files_.Remove(part);
    return false;
  }
  return true;
}

}  // namespace orvane
