#include "app/download_file.h"

#include <algorithm>
#include <limits>
#include <vector>

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
    if (std::unique_ptr<HttpSession> session = http_.OpenSession()) {
      // The address is closed before its session: `url` ends first.
      if (std::unique_ptr<HttpUrl> url = session->OpenUrl(strURLFile)) {
        result = Transfer(*url, strSaveFile, bHidden, events);
      }
    }
  }
  if (events) {
    owner_->Complete();
  }
  return result;
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
  std::unique_ptr<OutputFile> file = files_.CreateAlways(strSaveFile, bHidden);
  if (!file) {
    return false;
  }

  std::vector<char> chunk(kChunkSize);
  std::int64_t total = 0;
  LoopEnd end = LoopEnd::kEndOfData;
  while (true) {
    if (stop_) {
      end = LoopEnd::kStopped;
      break;
    }
    const std::optional<std::size_t> count = url.Read(chunk);
    if (!count || *count > chunk.size()) {
      end = LoopEnd::kBroken;
      break;
    }
    if (*count == 0) {
      break;
    }
    if (!file->Write(std::span<const char>(chunk.data(), *count))) {
      end = LoopEnd::kBroken;
      break;
    }
    total += static_cast<std::int64_t>(*count);
    if (events) {
      owner_->Loading(Saturated32(total));
    }
    pump_.ProcessPendingEvents();
  }

  const bool closed = file->Close();
  file.reset();
  // A body that ends before its announced length lost its end on the way, even when the
  // connection closed without an error being reported.
  const bool incomplete =
      end == LoopEnd::kBroken || (end == LoopEnd::kEndOfData && total < *length);
  if (incomplete || !closed) {
    files_.Remove(strSaveFile);
    return false;
  }
  return true;
}

}  // namespace orvane
