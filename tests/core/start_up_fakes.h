#pragma once
// Recording stand-ins for the windows, the browser and the platform around the client's
// start-up and its login screen. Everything they are asked to do goes into one log, so a
// test reads the order of the steps.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/client.h"
#include "browser/browser.h"
#include "core/main_window_fakes.h"

namespace orvane::test {

using Log = std::vector<std::string>;

class FakeBrowser final : public browser::Browser {
 public:
  explicit FakeBrowser(Log& log) : log_(log) {}
  void Navigate(const std::string& address) override {
    log_.push_back("navigate " + address);
    if (on_navigate) {
      on_navigate(address);
    }
  }
  void Refresh() override { log_.push_back("refresh"); }
  bool Silent() const override { return silent; }
  void Silent(bool value) override { silent = value; }
  std::string LocationURL() const override { return location; }
  bool DocumentHasContent() const override { return has_content; }
  void HideScrollBars() override {}
  void SetMuted(bool muted) override { muted_ = muted; }
  bool Muted() const override { return muted_; }
  void Place(const browser::BrowserPlacement& where) override { placed = where; }
  browser::DocumentId TopLevel() const override { return 1; }

  bool silent = false;
  std::string location;
  bool has_content = true;
  browser::BrowserPlacement placed;
  std::function<void(const std::string&)> on_navigate;

 private:
  Log& log_;
  bool muted_ = false;
};

class FakeSplashView final : public SplashView {
 public:
  explicit FakeSplashView(Log& log) : log_(log) {}
  ~FakeSplashView() override { log_.push_back("splash unloaded"); }
  void PresentPicture(int png_id) override {
    log_.push_back("splash picture " + std::to_string(png_id));
  }
  void ShowCentred() override { log_.push_back("splash shown"); }

 private:
  Log& log_;
};

class FakeLoginScreenView final : public LoginScreenView {
 public:
  FakeLoginScreenView(Log& log, LoginScreenEvents& events, browser::BrowserEvents& browser_events)
      : events(events), browser_events(browser_events), browser(log), log_(log) {}
  ~FakeLoginScreenView() override { log_.push_back("login screen unloaded"); }
  browser::Browser& WebBrowser1() override { return browser; }
  void LoadBackground(int png_id, std::string_view caption) override {
    log_.push_back("background loaded " + std::to_string(png_id) + " " + std::string(caption));
  }
  void SetBackgroundIcon(const std::string& icon_file, int size) override {
    log_.push_back("icon " + std::to_string(size) + " " + icon_file);
  }
  void SetLoginColourKey(Colour key) override {
    log_.push_back("colour key " + std::to_string(key));
  }
  void SetLoginOwner() override { log_.push_back("owner set"); }
  void ShowBackground() override { log_.push_back("show background"); }
  void ShowLogin() override { log_.push_back("show login"); }
  void MinimizeBackground() override { log_.push_back("minimize background"); }
  void DragBackground() override { log_.push_back("drag background"); }
  void DragLogin() override { log_.push_back("drag login"); }

  LoginScreenEvents& events;
  browser::BrowserEvents& browser_events;
  FakeBrowser browser;

 private:
  Log& log_;
};

class FakeViews final : public ClientViews {
 public:
  explicit FakeViews(Log& log) : page_views(log), msg_views(log), log_(log) {}
  std::unique_ptr<SplashView> CreateSplashView(SplashEvents& events) override {
    splash_events = &events;
    log_.push_back("splash created");
    return std::make_unique<FakeSplashView>(log_);
  }
  std::unique_ptr<LoginScreenView> CreateLoginScreenView(
      LoginScreenEvents& events, browser::BrowserEvents& browser_events) override {
    log_.push_back("login screen created");
    if (!with_login_screen) {
      return nullptr;
    }
    auto view = std::make_unique<FakeLoginScreenView>(log_, events, browser_events);
    login = view.get();
    if (on_login_created) {
      on_login_created(*view);
    }
    return view;
  }

  std::unique_ptr<WebMainFrmView> CreateMainWindowView(WebMainFrmEvents& events) override {
    log_.push_back("main created");
    if (!with_main_window) {
      return nullptr;
    }
    auto view = std::make_unique<FakeMainWindowView>(log_, events);
    main = view.get();
    return view;
  }
  std::unique_ptr<WebUrlView> CreatePageView(browser::BrowserEvents& events) override {
    return page_views.CreatePageView(events);
  }
  std::unique_ptr<MsgFrmView> CreateMsgFrmView(MsgFrmEvents& events) override {
    return msg_views.CreateMsgFrmView(events);
  }

  bool with_login_screen = true;
  bool with_main_window = true;
  std::function<void(FakeLoginScreenView&)> on_login_created;
  FakePageViews page_views;
  FakeMsgFrmViews msg_views;
  // The main window's view while it exists.
  FakeMainWindowView* main = nullptr;
  SplashEvents* splash_events = nullptr;
  // The login screen's view while it exists (tests clear it when it is unloaded).
  FakeLoginScreenView* login = nullptr;

 private:
  Log& log_;
};

// The platform around the client: connectivity, dialogs, launching, files, the loop.
class FakePlatform final : public Connectivity,
                           public MessageBoxes,
                           public AddressLauncher,
                           public ResourceWriter,
                           public ProgramLoop,
                           public DeferredCalls,
                           public FileDownloader,
                           public UpdateFiles,
                           public ProgramLauncher,
                           public browser::SystemBrowser,
                           public BrowserCache {
 public:
  explicit FakePlatform(Log& log) : log_(log) {}

  bool IsConnected() override {
    log_.push_back(connected ? "connected" : "not connected");
    return connected;
  }
  MessageAnswer ShowMessageBox(const MessageBoxRequest& request) override {
    const char* icon = request.icon == MessageIcon::kWarning       ? "warning"
                       : request.icon == MessageIcon::kInformation ? "information"
                                                                   : "question";
    const char* buttons = request.buttons == MessageButtons::kOk ? "ok" : "yes/no";
    log_.push_back("message " + std::string(request.title) + " " + icon + " " + buttons + " " +
                   std::string(request.text));
    return request.buttons == MessageButtons::kYesNo ? answer : MessageAnswer::kOk;
  }
  bool OpenAddress(const std::string& address) override {
    log_.push_back("open address " + address);
    return true;
  }
  bool SaveResourceToFile(int id, ResourceType type, const std::string& path) override {
    log_.push_back("save " + std::string(CustomTypeName(type)) + " " + std::to_string(id) + " -> " +
                   path);
    return resources_writable;
  }
  void Quit(int exit_code) override { log_.push_back("quit " + std::to_string(exit_code)); }
  void Post(std::function<void()> call) override {
    log_.push_back("posted");
    posted.push_back(std::move(call));
  }
  bool DownLoadFile(const std::string& url, const std::string& path, bool, bool) override {
    log_.push_back("download " + url + " -> " + path);
    return !published.empty();
  }
  bool Exists(const std::string&) override { return !published.empty(); }
  std::unique_ptr<TextLineSource> OpenLines(const std::string&) override;
  bool ShellOpen(const std::string& file, const std::string& parameters) override {
    log_.push_back("start " + file + " " + parameters);
    return true;
  }

  void Open(const std::string& address) override { log_.push_back("system browser " + address); }
  void ClearUrlCache(std::string_view pattern, std::uint32_t mask) override {
    log_.push_back("clear cache " + std::string(pattern) + " " + std::to_string(mask));
  }

  // Runs what was posted, as the message loop would once the event has returned.
  void RunPosted() {
    std::vector<std::function<void()>> calls;
    calls.swap(posted);
    for (auto& call : calls) {
      call();
    }
  }

  bool connected = true;
  bool resources_writable = true;
  MessageAnswer answer = MessageAnswer::kNo;
  std::string published;  // the update file's text; empty: no file
  std::vector<std::function<void()>> posted;

 private:
  Log& log_;
};

class StringLines final : public TextLineSource {
 public:
  explicit StringLines(std::string text) : text_(std::move(text)) {}
  std::optional<std::string> ReadLine() override {
    if (pos_ >= text_.size()) {
      return std::nullopt;
    }
    const std::size_t end = text_.find('\r', pos_);
    std::string line = text_.substr(pos_, end == std::string::npos ? end : end - pos_);
    pos_ = end == std::string::npos ? text_.size() : end + 1;
    if (pos_ < text_.size() && text_[pos_] == '\n') {
      ++pos_;
    }
    return line;
  }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

inline std::unique_ptr<TextLineSource> FakePlatform::OpenLines(const std::string&) {
  return std::make_unique<StringLines>(published);
}

}  // namespace orvane::test
