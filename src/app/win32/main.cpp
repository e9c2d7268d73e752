// Entry point of Orvane.exe: builds the platform's windows and ports, hands them to the
// client and runs the message loop.
#include <windows.h>

#include <string>

#include "app/client.h"
#include "app/download_file.h"
#include "app/load_frm.h"
#include "app/public_data.h"
#include "app/updater_argument.h"
#include "app/win32/win32_client_views.h"
#include "app/win32/win32_event_pump.h"
#include "app/win32/win32_files.h"
#include "app/win32/win32_message_boxes.h"
#include "app/win32/win32_platform.h"
#include "app/win32/wininet_http_session.h"
#include "base/product.h"
#include "base/start_up_trace.h"
#include "base/temp_folder.h"
#include "browser/win32/shell_system_browser.h"
#include "mainwin/hand_over.h"
#include "mainwin/win32/wininet_browser_cache.h"

namespace {

std::string Utf8(const wchar_t* wide) {
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) {
    return {};
  }
  std::string out(static_cast<std::size_t>(n - 1), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
  return out;
}

// The main window's DDE server hands its game addresses to the client, which opens or
// selects the game's tab and brings the window back from minimised.
// It outlives the client, whose main window holds the server.
class ClientHandOver final : public orvane::HandOverOwner {
 public:
  void SetClient(orvane::Client* client) { client_ = client; }
  void OpenGameTab(const std::string& strURL) override {
    if (client_ != nullptr) {
      client_->HandOver(strURL);
    }
  }
  // HandOver restores the window itself, after the tab is there.
  void PresentMainWindow() override {}

 private:
  orvane::Client* client_ = nullptr;
};

std::string ProgramPath() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Utf8(path) : std::string();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace orvane;
  MarkStartUp(StartUpPoint::kProcessStart);
  const std::string command_line = Utf8(::GetCommandLineW());
  const std::string arguments(ArgumentsOfCommandLine(command_line));

  win32::Win32OutputFiles files;
  win32::WinInetHttpClient http;
  win32::Win32EventPump pump;
  CNxDownLoadFile downloader(http, files, pump);
  win32::Win32UpdateFiles update_files;
  ResourceFileWriter resources(LoadResourceBytes, files);
  win32::Win32MessageBoxes dialogs;
  win32::WinInetConnectivity connectivity;
  win32::ShellAddressLauncher addresses;
  win32::ShellProgramLauncher launcher;
  win32::Win32ProgramLoop loop;
  win32::Win32ClientViews views;
  win32::ShellSystemBrowser system_browser;
  win32::WinInetBrowserCache cache;
  ClientHandOver hand_over;
  views.SetHandOver(&hand_over);

  Client client(views,
                {connectivity, dialogs, addresses, resources, loop, loop, downloader, update_files,
                 launcher, system_browser, cache},
                ProgramClientSettings(GetTempFolder(), ProgramPath(), ProgramPathStyle::kWindows));
  hand_over.SetClient(&client);
  if (!client.Start(arguments)) {
    return client.ExitCode();
  }
  return loop.Run();
}
