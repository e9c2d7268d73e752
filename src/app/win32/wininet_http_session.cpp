#include "app/win32/wininet_http_session.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>

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

  std::optional<std::int64_t> ContentLength() override {
    const std::optional<DWORD> length = QueryNumber(handle_.get(), HTTP_QUERY_CONTENT_LENGTH);
    if (!length) {
      return std::nullopt;
    }
    return static_cast<std::int64_t>(*length);
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

  std::unique_ptr<HttpUrl> OpenUrl(const std::string& url) override {
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
  return std::make_unique<WinInetSession>(std::move(session));
}

}  // namespace orvane::win32
