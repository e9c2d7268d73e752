#include "app/gtk/curl_http_session.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace orvane::gtk {
namespace {

constexpr long kMaxRedirects = 10;
// Without a waiter nothing else needs the thread: a wait only wakes for the network.
constexpr int kPollMilliseconds = 1000;

bool GlobalInitOnce() {
  static const CURLcode code = curl_global_init(CURL_GLOBAL_DEFAULT);
  return code == CURLE_OK;
}

struct MultiCleanup {
  void operator()(CURLM* multi) const noexcept { curl_multi_cleanup(multi); }
};
struct EasyCleanup {
  void operator()(CURL* easy) const noexcept { curl_easy_cleanup(easy); }
};
struct SlistFree {
  void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};

using MultiHandle = std::unique_ptr<CURLM, MultiCleanup>;
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using HeaderList = std::unique_ptr<curl_slist, SlistFree>;

class CurlSession;

class CurlUrl final : public HttpUrl {
 public:
  CurlUrl(CurlSession& session, HeaderList headers, EasyHandle easy, HttpWaiter* waiter,
          std::chrono::seconds stalled);
  ~CurlUrl() override;
  CurlUrl(const CurlUrl&) = delete;
  CurlUrl& operator=(const CurlUrl&) = delete;

  // Runs the transfer until body bytes have arrived or it has ended; the waiter is asked
  // every wait slice meanwhile. False when the waiter gave up or the server stayed silent
  // for the stall time.
  bool WaitForData();
  // The transfer ended without reaching the server's answer.
  bool Unreachable();

  std::optional<std::int32_t> StatusCode() override;
  std::optional<std::int64_t> ContentLength() override;
  std::optional<std::size_t> Read(std::span<char> buffer) override;

 private:
  static size_t OnBody(char* data, size_t size, size_t count, void* self) noexcept;
  std::size_t Waiting() const { return body_.size() - consumed_; }
  bool Arrived() const { return filled_ > 0 || Waiting() > 0; }
  // False once no byte (of the headers or the body) has come for the stall time.
  bool StillAlive(std::chrono::steady_clock::time_point now);

  CurlSession& session_;
  // Released in reverse order: the handle leaves the session, then the header list goes.
  HeaderList headers_;
  EasyHandle easy_;
  HttpWaiter* waiter_;
  std::chrono::seconds stalled_;
  // Bytes received so far, and when that number last grew.
  std::int64_t received_ = 0;
  std::int64_t seen_ = 0;
  std::chrono::steady_clock::time_point last_progress_ = std::chrono::steady_clock::now();
  // The reader's buffer while a read runs: the body goes straight there.
  std::span<char> target_;
  std::size_t filled_ = 0;
  // Body bytes that came when no read ran or that did not fit: handed out first.
  std::vector<char> body_;
  // libcurl holds a block back until the next read.
  bool paused_ = false;
  std::size_t consumed_ = 0;
};

class CurlSession final : public HttpSession {
 public:
  CurlSession(MultiHandle multi, HttpTimeouts timeouts)
      : multi_(std::move(multi)), timeouts_(timeouts) {}
  std::unique_ptr<HttpUrl> OpenUrl(const std::string& url, HttpWaiter* waiter) override;

  // One round of the transfers: lets libcurl move data, then notes the ones that ended.
  void Perform();
  // Waits at most `milliseconds` for any transfer's socket to become ready.
  void Poll(int milliseconds) { curl_multi_poll(multi_.get(), nullptr, 0, milliseconds, nullptr); }
  // The result of a transfer that has ended, or nothing while it runs.
  std::optional<CURLcode> Result(CURL* easy) const;
  bool Add(CURL* easy) { return curl_multi_add_handle(multi_.get(), easy) == CURLM_OK; }
  void Remove(CURL* easy) {
    curl_multi_remove_handle(multi_.get(), easy);
    finished_.erase(easy);
  }

 private:
  MultiHandle multi_;
  HttpTimeouts timeouts_;
  std::map<CURL*, CURLcode> finished_;
};

CurlUrl::CurlUrl(CurlSession& session, HeaderList headers, EasyHandle easy, HttpWaiter* waiter,
                 std::chrono::seconds stalled)
    : session_(session),
      headers_(std::move(headers)),
      easy_(std::move(easy)),
      waiter_(waiter),
      stalled_(stalled) {
  curl_easy_setopt(easy_.get(), CURLOPT_WRITEFUNCTION, &CurlUrl::OnBody);
  curl_easy_setopt(easy_.get(), CURLOPT_WRITEDATA, this);
}

CurlUrl::~CurlUrl() {
  session_.Remove(easy_.get());
}

size_t CurlUrl::OnBody(char* data, size_t size, size_t count, void* self) noexcept {
  auto* url = static_cast<CurlUrl*>(self);
  const size_t bytes = size * count;
  const size_t room = url->target_.size() - url->filled_;
  if (bytes <= room) {
    // The usual case: straight into the reader's buffer.
    std::memcpy(url->target_.data() + url->filled_, data, bytes);
    url->filled_ += bytes;
  } else if (url->filled_ > 0 || (room == 0 && url->Waiting() > 0)) {
    // The reader has something already, or bytes are waiting: libcurl holds this block
    // and stops receiving until the next read asks for it again.
    url->paused_ = true;
    return CURL_WRITEFUNC_PAUSE;
  } else {
    // A block larger than the reader's buffer, or the first bytes while the answer is
    // awaited: what does not fit waits here, one block at most.
    std::memcpy(url->target_.data(), data, room);
    url->filled_ += room;
    try {
      if (url->consumed_ == url->body_.size()) {
        url->body_.clear();
        url->consumed_ = 0;
      }
      url->body_.insert(url->body_.end(), data + room, data + bytes);
    } catch (const std::bad_alloc&) {
      return 0;  // libcurl ends the transfer with an error
    }
  }
  url->received_ += static_cast<std::int64_t>(bytes);
  return bytes;
}

bool CurlUrl::StillAlive(std::chrono::steady_clock::time_point now) {
  long header_bytes = 0;
  curl_easy_getinfo(easy_.get(), CURLINFO_HEADER_SIZE, &header_bytes);
  const std::int64_t progress = received_ + header_bytes;
  if (progress != seen_) {
    seen_ = progress;
    last_progress_ = now;
    return true;
  }
  return stalled_.count() <= 0 || now - last_progress_ < stalled_;
}

bool CurlUrl::WaitForData() {
  using Clock = std::chrono::steady_clock;
  Clock::time_point ask_at = Clock::now() + CurlHttpClient::kWaitSlice;
  while (true) {
    session_.Perform();
    if (Arrived() || session_.Result(easy_.get())) {
      return true;
    }
    if (!StillAlive(Clock::now())) {
      return false;
    }
    int poll = kPollMilliseconds;
    if (waiter_ != nullptr) {
      if (Clock::now() >= ask_at) {
        if (!waiter_->KeepWaiting()) {
          return false;
        }
        ask_at = Clock::now() + CurlHttpClient::kWaitSlice;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(ask_at - Clock::now()).count();
      poll = static_cast<int>(std::clamp<long long>(left, 1, kPollMilliseconds));
    }
    session_.Poll(poll);
  }
}

bool CurlUrl::Unreachable() {
  const std::optional<CURLcode> result = session_.Result(easy_.get());
  return result && *result != CURLE_OK && !StatusCode();
}

std::optional<std::int32_t> CurlUrl::StatusCode() {
  long code = 0;
  if (curl_easy_getinfo(easy_.get(), CURLINFO_RESPONSE_CODE, &code) != CURLE_OK || code <= 0) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(code);
}

std::optional<std::int64_t> CurlUrl::ContentLength() {
  curl_off_t length = -1;
  if (curl_easy_getinfo(easy_.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK ||
      length < 0) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(length);
}

std::optional<std::size_t> CurlUrl::Read(std::span<char> buffer) {
  if (buffer.empty()) {
    return 0;
  }
  if (Waiting() > 0) {
    const std::size_t count = std::min(buffer.size(), Waiting());
    std::memcpy(buffer.data(), body_.data() + consumed_, count);
    consumed_ += count;
    return count;
  }
  target_ = buffer;
  filled_ = 0;
  if (paused_) {
    // libcurl hands the block it held over again, from inside this call.
    paused_ = false;
    curl_easy_pause(easy_.get(), CURLPAUSE_CONT);
  }
  const bool waited = filled_ > 0 || WaitForData();
  const std::size_t count = filled_;
  target_ = {};
  filled_ = 0;
  if (count > 0) {
    return count;
  }
  if (!waited) {
    return std::nullopt;
  }
  // Nothing came and the transfer has ended: the end of the body, or a transfer that
  // broke off (libcurl reports a body shorter than its Content-Length, and a silence
  // longer than allowed, as errors).
  if (session_.Result(easy_.get()) == CURLE_OK) {
    return 0;
  }
  return std::nullopt;
}

void CurlSession::Perform() {
  int running = 0;
  if (curl_multi_perform(multi_.get(), &running) != CURLM_OK) {
    return;
  }
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
    if (message->msg == CURLMSG_DONE) {
      finished_[message->easy_handle] = message->data.result;
    }
  }
}

std::optional<CURLcode> CurlSession::Result(CURL* easy) const {
  const auto found = finished_.find(easy);
  if (found == finished_.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::unique_ptr<HttpUrl> CurlSession::OpenUrl(const std::string& url, HttpWaiter* waiter) {
  EasyHandle easy(curl_easy_init());
  if (!easy) {
    return nullptr;
  }
  // What a browser's reload sends: caches and proxies must fetch a fresh copy.
  curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
  HeaderList headers(list);
  if (list == nullptr || curl_slist_append(list, "Pragma: no-cache") == nullptr) {
    return nullptr;
  }
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
#if LIBCURL_VERSION_NUM >= 0x075500
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#else
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS, CURLPROTO_HTTP | CURLPROTO_HTTPS);
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS, CURLPROTO_HTTP | CURLPROTO_HTTPS);
#endif
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                   static_cast<long>(std::chrono::milliseconds(timeouts_.connect).count()));
  // The stall time itself is watched here, to the second; libcurl's own check, which
  // averages over a few seconds, only backs it up.
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, static_cast<long>(timeouts_.stalled.count()));
  curl_easy_setopt(handle, CURLOPT_BUFFERSIZE, CurlHttpClient::kReceiveBufferSize);

  auto opened = std::make_unique<CurlUrl>(*this, std::move(headers), std::move(easy), waiter,
                                          timeouts_.stalled);
  if (!Add(handle)) {
    return nullptr;
  }
  // The address counts as open once the answer's headers are in: wait for the first
  // bytes of the body or the end of the transfer.
  if (!opened->WaitForData() || opened->Unreachable()) {
    return nullptr;
  }
  return opened;
}

}  // namespace

std::unique_ptr<HttpSession> CurlHttpClient::OpenSession() {
  if (!GlobalInitOnce()) {
    return nullptr;
  }
  MultiHandle multi(curl_multi_init());
  if (!multi) {
    return nullptr;
  }
  return std::make_unique<CurlSession>(std::move(multi), timeouts_);
}

}  // namespace orvane::gtk
