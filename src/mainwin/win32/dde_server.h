#pragma once

#include <windows.h>
#include <ddeml.h>

#include <string>

#include "mainwin/hand_over.h"

namespace orvane::win32 {

// The link topic a second start uses to hand its game address to the running client.
inline constexpr wchar_t kDdeTopic[] = L"OrvaneDDE";

// The DDE service name: the program's executable name without folder and extension.
std::wstring ExecutableServiceName();

// The main window's DDE server: a client connects to `service` and the topic "OrvaneDDE"
// and sends an execute request whose command string is a game address. An address the
// game window may open goes to the owner and the request is acknowledged; anything else
// (also a command that is no well-formed UTF-16, or one with more text hidden after its
// terminating NUL) is answered "not processed". Conversations on other topics are refused. One
// server per process; it lives on the thread that created it, whose message loop serves it.
class DdeServer {
 public:
  DdeServer(const std::wstring& service, HandOverOwner& owner);
  ~DdeServer();
  DdeServer(const DdeServer&) = delete;
  DdeServer& operator=(const DdeServer&) = delete;

  // True when the service is registered and requests can arrive.
  bool Serving() const { return serving_; }

 private:
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ topic,
                                    HSZ service, HDDEDATA data, ULONG_PTR, ULONG_PTR);
  bool IsOurs(HSZ topic, HSZ service) const;
  HDDEDATA Execute(HDDEDATA data);

  HandOverOwner& owner_;
  DWORD instance_ = 0;
  HSZ service_ = nullptr;
  HSZ topic_ = nullptr;
  bool serving_ = false;
};

}  // namespace orvane::win32
