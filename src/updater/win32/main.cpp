// Entry point of Update.exe, the updater the Windows client carries. Started by the
// client as "Update.exe <folder>|<folder>\Orvane.exe".
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/win32_event_pump.h"
#include "app/win32/wininet_http_session.h"
#include "updater/release_crypto.h"
#include "updater/updater_flow.h"
#include "updater/updater_settings.h"
#include "updater/updater_target.h"
#include "updater/win32/updater_window.h"
#include "updater/win32/wide_text.h"
#include "updater/win32/win32_updater_files.h"

namespace {

using namespace orvane;

struct LocalFreeDeleter {
  void operator()(LPWSTR* p) const { ::LocalFree(p); }
};

// The text after the program's own name. The client passes its argument unquoted, so a
// folder with spaces ("C:\Program Files\Orvane") arrives as several words: the whole
// tail is the one argument. A tail that starts with a quote is read the usual way and
// must then hold exactly one argument.
std::vector<std::string> Arguments() {
  const wchar_t* line = ::GetCommandLineW();
  // Skip the program name, quoted or not.
  if (*line == L'"') {
    ++line;
    while (*line != L'\0' && *line != L'"') {
      ++line;
    }
    if (*line == L'"') {
      ++line;
    }
  } else {
    while (*line != L'\0' && *line != L' ' && *line != L'\t') {
      ++line;
    }
  }
  while (*line == L' ' || *line == L'\t') {
    ++line;
  }
  std::wstring tail(line);
  while (!tail.empty() && (tail.back() == L' ' || tail.back() == L'\t')) {
    tail.pop_back();
  }
  if (tail.empty()) {
    return {};
  }
  if (tail.front() != L'"') {
    return {win32::Utf8(tail)};
  }
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreeDeleter> words(
      ::CommandLineToArgvW((L"x " + tail).c_str(), &count));
  std::vector<std::string> out;
  for (int i = 1; words && i < count; ++i) {
    out.push_back(win32::Utf8(words.get()[i]));
  }
  return out;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::optional<UpdaterTarget> target =
      ParseUpdaterTarget(Arguments(), ProgramPathStyle::kWindows);
  if (!target || !win32::IsRegularFile(target->program)) {
    win32::ShowUpdaterMessage(nullptr, updater_text::kBadArgument);
    return static_cast<int>(UpdateResult::kBadArgument);
  }
  const std::optional<UpdaterSettings> settings = MakeUpdaterSettings(*target, kPlatformWin32);
  win32::Win32ProgramStarter starter;
  if (!settings) {
    win32::ShowUpdaterMessage(nullptr, updater_text::kNoKey);
    starter.Start(target->program);
    return static_cast<int>(UpdateResult::kFailed);
  }

  win32::WinInetHttpClient http;
  win32::Win32EventPump pump;
  win32::Win32UpdaterFiles files;
  const std::unique_ptr<ReleaseCrypto> crypto = MakePlatformReleaseCrypto();
  win32::Win32ProcessWaiter waiter(pump);
  UpdaterFlow* running = nullptr;
  win32::UpdaterWindow window(instance, [&running] {
    if (running != nullptr) {
      running->Cancel();
    }
  });
  if (!window.Created()) {
    win32::ShowUpdaterMessage(nullptr, updater_text::kNoWindow);
    starter.Start(target->program);
    return static_cast<int>(UpdateResult::kFailed);
  }
  UpdaterFlow flow(*settings, {http, files, pump, files, *crypto, waiter, starter, window});
  running = &flow;
  window.Show();
  pump.ProcessPendingEvents();
  const UpdateResult result = flow.Run();
  running = nullptr;
  return static_cast<int>(result);
}

// The default handler of an uncaught exception prints the exception's demangled type,
// which links the whole C++ name demangler into the program. Update.exe has no console
// to print to: it ends at once instead, which is what the default does after printing.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
