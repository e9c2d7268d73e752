#include "mainwin/win32/dde_server.h"

#include <climits>
#include <optional>
#include <string>
#include <vector>

namespace orvane::win32 {
namespace {

DdeServer* g_server = nullptr;  // DDEML calls back without a context of ours

// The command string as UTF-8; nothing when it is no well-formed UTF-16 (a lone
// surrogate): such a command is refused rather than opened with a character replaced.
std::optional<std::string> Utf8(const wchar_t* text, std::size_t length) {
  if (length == 0) {
    return std::string();
  }
  if (length > static_cast<std::size_t>(INT_MAX)) {
    return std::nullopt;
  }
  const int size = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text,
                                         static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    return std::nullopt;
  }
  std::string out(static_cast<std::size_t>(size), '\0');
  if (::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, static_cast<int>(length),
                            out.data(), size, nullptr, nullptr) != size) {
    return std::nullopt;
  }
  return out;
}

}  // namespace

std::wstring ExecutableServiceName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  if (const std::size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos && dot > 0) {
    name.resize(dot);
  }
  return name;
}

DdeServer::DdeServer(const std::wstring& service, HandOverOwner& owner) : owner_(owner) {
  if (g_server) {
    return;
  }
  if (::DdeInitializeW(&instance_, &DdeServer::Callback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS |
                           CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0) != DMLERR_NO_ERROR) {
    instance_ = 0;
    return;
  }
  g_server = this;
  service_ = ::DdeCreateStringHandleW(instance_, service.c_str(), CP_WINUNICODE);
  topic_ = ::DdeCreateStringHandleW(instance_, kDdeTopic, CP_WINUNICODE);
  serving_ = service_ && topic_ && ::DdeNameService(instance_, service_, nullptr, DNS_REGISTER);
}

DdeServer::~DdeServer() {
  if (!instance_) {
    return;
  }
  if (serving_) {
    ::DdeNameService(instance_, service_, nullptr, DNS_UNREGISTER);
  }
  if (topic_) {
    ::DdeFreeStringHandle(instance_, topic_);
  }
  if (service_) {
    ::DdeFreeStringHandle(instance_, service_);
  }
  ::DdeUninitialize(instance_);
  g_server = nullptr;
}

bool DdeServer::IsOurs(HSZ topic, HSZ service) const {
  return ::DdeCmpStringHandles(topic, topic_) == 0 &&
         (service == nullptr || ::DdeCmpStringHandles(service, service_) == 0);
}

HDDEDATA DdeServer::Execute(HDDEDATA data) {
  const DWORD bytes = ::DdeGetData(data, nullptr, 0, 0);
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  if (bytes > 0) {
    ::DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), bytes, 0);
  }
  // The command string ends at its first NUL. Anything but NULs after it is a second
  // text hidden behind the first: the request is refused rather than half obeyed.
  std::size_t length = 0;
  while (length < text.size() && text[length] != L'\0') {
    ++length;
  }
  bool hidden = false;
  for (std::size_t i = length; i < text.size(); ++i) {
    hidden = hidden || text[i] != L'\0';
  }
  const std::optional<std::string> command = hidden ? std::nullopt : Utf8(text.data(), length);
  const bool accepted = command && HandOverAddress(*command, owner_);
  return reinterpret_cast<HDDEDATA>(
      static_cast<ULONG_PTR>(accepted ? DDE_FACK : DDE_FNOTPROCESSED));
}

HDDEDATA CALLBACK DdeServer::Callback(UINT type, UINT, HCONV, HSZ topic, HSZ service, HDDEDATA data,
                                      ULONG_PTR, ULONG_PTR) {
  DdeServer* server = g_server;
  if (!server) {
    return nullptr;
  }
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(server->IsOurs(topic, service)));
    case XTYP_EXECUTE:
      if (!server->IsOurs(topic, nullptr)) {
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FNOTPROCESSED));
      }
      return server->Execute(data);
    default:
      return nullptr;
  }
}

}  // namespace orvane::win32
