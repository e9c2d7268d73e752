#include "app/win32/wininet_http_session.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <string_view>
#include <utility>

#include "base/win32/unique_handle.h"

namespace orvane::win32 {
namespace {

using InternetHandle = UniqueInternet;

std::optional<DWORD> QueryNumber(HINTERNET request, DWORD what) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!::HttpQueryInfoA(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) {
    return std::nullopt;
  }
  return value;
}

// Decimal digits with optional spaces around them; nothing for anything else, or for a
// number too large for 63 bits.
std::optional<std::int64_t> ParseContentLength(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    const int digit = c - '0';
    if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) {
      return std::nullopt;
    }
    value = value * 10 + digit;
  }
  return value;
}

class WinInetUrl final : public HttpUrl {
 public:
  explicit WinInetUrl(InternetHandle handle) : handle_(std::move(handle)) {}

  std::optional<std::int32_t> StatusCode() override {
    const std::optional<DWORD> code = QueryNumber(handle_.get(), HTTP_QUERY_STATUS_CODE);
    if (!code) {
      return std::nullopt;
    }
    return static_cast<std::int32_t>(*code);
  }

  // Read as text: a length past 32 bits would not survive WinINet's number form.
  std::optional<std::int64_t> ContentLength() override {
    char text[64] = {};
    DWORD size = sizeof text - 1;
    if (!::HttpQueryInfoA(handle_.get(), HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) {
      return std::nullopt;
    }
    return ParseContentLength(std::string_view(text, std::min<DWORD>(size, sizeof text - 1)));
  }

  std::optional<std::size_t> Read(std::span<char> buffer) override {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    DWORD read = 0;
    if (!::InternetReadFile(handle_.get(), buffer.data(), wanted, &read)) {
      return std::nullopt;
    }
    return static_cast<std::size_t>(read);
  }

 private:
  InternetHandle handle_;
};

class WinInetSession final : public HttpSession {
 public:
  explicit WinInetSession(InternetHandle handle) : handle_(std::move(handle)) {}

  // WinINet's calls block: the waiter is not asked, the timeouts bound the wait instead.
  std::unique_ptr<HttpUrl> OpenUrl(const std::string& url, HttpWaiter* waiter) override {
    (void)waiter;
    InternetHandle opened(
        ::InternetOpenUrlA(handle_.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
    if (!opened) {
      return nullptr;
    }
    return std::make_unique<WinInetUrl>(std::move(opened));
  }

 private:
  InternetHandle handle_;
};

}  // namespace

std::unique_ptr<HttpSession> WinInetHttpClient::OpenSession() {
  InternetHandle session(
      ::InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) {
    return nullptr;
  }
  // A server that cannot be reached, or goes silent, ends the transfer instead of
  // holding the client for WinINet's own, much longer, default.
  for (const auto& [option, limit] :
       {std::pair{INTERNET_OPTION_CONNECT_TIMEOUT, timeouts_.connect},
        std::pair{INTERNET_OPTION_SEND_TIMEOUT, timeouts_.stalled},
        std::pair{INTERNET_OPTION_RECEIVE_TIMEOUT, timeouts_.stalled}}) {
    DWORD milliseconds = static_cast<DWORD>(std::chrono::milliseconds(limit).count());
    ::InternetSetOptionA(session.get(), option, &milliseconds, sizeof milliseconds);
  }
  return std::make_unique<WinInetSession>(std::move(session));
}

}  // namespace orvane::win32
