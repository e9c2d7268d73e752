#include "app/gtk/curl_http_session.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace orvane::gtk {
namespace {

constexpr long kMaxRedirects = 10;
constexpr long kConnectTimeoutSeconds = 30;
constexpr long kStalledSeconds = 60;
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
  CurlUrl(CurlSession& session, HeaderList headers, EasyHandle easy);
  ~CurlUrl() override;
  CurlUrl(const CurlUrl&) = delete;
  CurlUrl& operator=(const CurlUrl&) = delete;

  // Runs the transfer until body bytes are waiting or it has ended.
  void WaitForData();
  // The transfer ended without reaching the server's answer.
  bool Unreachable();

  std::optional<std::int32_t> StatusCode() override;
  std::optional<std::int64_t> ContentLength() override;
  std::optional<std::size_t> Read(std::span<char> buffer) override;

 private:
  static size_t OnBody(char* data, size_t size, size_t count, void* self) noexcept;
  std::size_t Waiting() const { return body_.size() - consumed_; }

  CurlSession& session_;
  // Released in reverse order: the handle leaves the session, then the header list goes.
  HeaderList headers_;
  EasyHandle easy_;
  std::vector<char> body_;
  std::size_t consumed_ = 0;
};

class CurlSession final : public HttpSession {
 public:
  explicit CurlSession(MultiHandle multi) : multi_(std::move(multi)) {}
  std::unique_ptr<HttpUrl> OpenUrl(const std::string& url) override;

  // One round of the transfers: lets libcurl move data, then notes the ones that ended.
  void Perform();
  // Waits (at most a second) for any transfer's socket to become ready.
  void Poll() { curl_multi_poll(multi_.get(), nullptr, 0, kPollMilliseconds, nullptr); }
  // The result of a transfer that has ended, or nothing while it runs.
  std::optional<CURLcode> Result(CURL* easy) const;
  bool Add(CURL* easy) { return curl_multi_add_handle(multi_.get(), easy) == CURLM_OK; }
  void Remove(CURL* easy) {
    curl_multi_remove_handle(multi_.get(), easy);
    finished_.erase(easy);
  }

 private:
  MultiHandle multi_;
  std::map<CURL*, CURLcode> finished_;
};

CurlUrl::CurlUrl(CurlSession& session, HeaderList headers, EasyHandle easy)
    : session_(session), headers_(std::move(headers)), easy_(std::move(easy)) {
  curl_easy_setopt(easy_.get(), CURLOPT_WRITEFUNCTION, &CurlUrl::OnBody);
  curl_easy_setopt(easy_.get(), CURLOPT_WRITEDATA, this);
}

CurlUrl::~CurlUrl() {
  session_.Remove(easy_.get());
}

size_t CurlUrl::OnBody(char* data, size_t size, size_t count, void* self) noexcept {
  auto* url = static_cast<CurlUrl*>(self);
  const size_t bytes = size * count;
  try {
    if (url->consumed_ == url->body_.size()) {
      url->body_.clear();
      url->consumed_ = 0;
    }
    url->body_.insert(url->body_.end(), data, data + bytes);
  } catch (const std::bad_alloc&) {
    return 0;  // libcurl ends the transfer with an error
  }
  return bytes;
}

void CurlUrl::WaitForData() {
  while (Waiting() == 0 && !session_.Result(easy_.get())) {
    session_.Perform();
    if (Waiting() > 0 || session_.Result(easy_.get())) {
      break;
    }
    session_.Poll();
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
  WaitForData();
  if (Waiting() > 0) {
    const std::size_t count = std::min(buffer.size(), Waiting());
    std::memcpy(buffer.data(), body_.data() + consumed_, count);
    consumed_ += count;
    return count;
  }
  // Nothing waits and the transfer has ended: the end of the body, or a transfer that
  // broke off (libcurl reports a body shorter than its Content-Length as an error).
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

std::unique_ptr<HttpUrl> CurlSession::OpenUrl(const std::string& url) {
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
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);

  auto opened = std::make_unique<CurlUrl>(*this, std::move(headers), std::move(easy));
  if (!Add(handle)) {
    return nullptr;
  }
  // The address counts as open once the answer's headers are in: wait for the first
  // bytes of the body or the end of the transfer.
  opened->WaitForData();
  if (opened->Unreachable()) {
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
  return std::make_unique<CurlSession>(std::move(multi));
}

}  // namespace orvane::gtk
