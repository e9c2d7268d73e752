// A page's request for a new window: only http(s) addresses reach the system browser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "browser/new_window.h"
#include "fuzz/fuzz_check.h"
#include "login/page_commands.h"

namespace {

class RecordingBrowser final : public orvane::browser::SystemBrowser {
 public:
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string url(reinterpret_cast<const char*>(data), size);
  const bool may_open = orvane::browser::MayOpenInSystemBrowser(url);
  // One rule for every address that leaves the client.
  FUZZ_CHECK(may_open == orvane::IsGameAddress(url));

  RecordingBrowser browser;
  bool processed = false;
  orvane::browser::HandNewWindowToSystemBrowser(url, processed, browser);
  FUZZ_CHECK(processed);
  if (may_open) {
    FUZZ_CHECK(browser.opened.size() == 1 && browser.opened[0] == url);
  } else {
    FUZZ_CHECK(browser.opened.empty());
  }
  return 0;
}
