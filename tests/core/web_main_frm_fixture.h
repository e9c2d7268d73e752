#pragma once
// The main window's controller over the recording views, with the ports around it.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/main_window_fakes.h"
#include "mainwin/web_main_frm.h"

namespace orvane::test {

class FakeMainPorts final : public WebMainFrmOwner,
                            public MessageBoxes,
                            public AddressLauncher,
                            public BrowserCache,
                            public DeferredCalls {
 public:
  explicit FakeMainPorts(Log& log) : log_(log) {}
  void ShowLoginScreen() override { log_.push_back("owner: login screen"); }
  void RunUpdateCommand() override {
    log_.push_back("owner: update");
    if (on_update) {
      on_update();
    }
  }
  void MainWindowUnloaded() override { log_.push_back("owner: unloaded"); }
  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    const char* icon = request.icon == MessageIcon::kInformation ? "information" : "other";
    log_.push_back("message " + std::string(request.title) + " " + icon + " " +
                   std::string(request.text));
    return MessageAnswer::kOk;
  }
  bool OpenAddress(const std::string& address) override {
    log_.push_back("open address " + address);
    return true;
  }
  void ClearUrlCache(std::string_view pattern, std::uint32_t exclusion_mask) override {
    log_.push_back("clear cache " + std::string(pattern) + " " + std::to_string(exclusion_mask));
  }
  void Post(std::function<void()> call) override {
    log_.push_back("posted");
    posted.push_back(std::move(call));
  }
  // Runs what was posted, as the message loop would once the event has returned (and
  // what those calls post in turn).
  void RunPosted() {
    while (!posted.empty()) {
      std::vector<std::function<void()>> calls;
      calls.swap(posted);
      for (auto& call : calls) {
        call();
      }
    }
  }

  std::function<void()> on_update;
  std::vector<std::function<void()>> posted;

 private:
  Log& log_;
};

inline constexpr const char* kTempFolder = "/tmp/orvane/";
inline constexpr const char* kPortal = "https://portal.test/zt/mirab/";

}  // namespace orvane::test
