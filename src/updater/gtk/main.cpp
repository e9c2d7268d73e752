// Entry point of orvane-update, the updater the Linux client carries. Started by the
// client as "orvane-update <folder>|<folder>/orvane".
#include <gtk/gtk.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/gtk/curl_http_session.h"
#include "app/gtk/glib_event_pump.h"
#include "app/gtk/posix_files.h"
#include "updater/gtk/posix_updater_files.h"
#include "updater/gtk/proc_process_waiter.h"
#include "updater/gtk/updater_window.h"
#include "updater/release_crypto.h"
#include "updater/updater_flow.h"
#include "updater/updater_settings.h"
#include "updater/updater_target.h"

namespace {

using namespace orvane;

// A message box of its own, for when there is no updater window to own one.
void TellAndEnd(std::string_view text, bool have_display) {
  const std::string copy(text);
  std::fprintf(stderr, "orvane-update: %s\n", copy.c_str());
  if (!have_display) {
    return;
  }
  gtk::UpdaterWindow box([] {});
  box.ShowError(text);
}

}  // namespace

int main(int argc, char** argv) {
  const bool have_display = gtk_init_check(&argc, &argv);
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::optional<UpdaterTarget> target = ParseUpdaterTarget(arguments, ProgramPathStyle::kPosix);
  if (!target || !gtk::IsRegularFile(target->program)) {
    TellAndEnd(updater_text::kBadArgument, have_display);
    return static_cast<int>(UpdateResult::kBadArgument);
  }
  const std::optional<UpdaterSettings> settings = MakeUpdaterSettings(*target, kPlatformLinux);
  if (!have_display || !settings) {
    // Without a window or a key nothing is installed; the player keeps the old client.
    TellAndEnd(!settings ? updater_text::kNoKey : updater_text::kNoWindow, have_display);
    gtk::PosixProgramStarter().Start(target->program);
    return static_cast<int>(UpdateResult::kFailed);
  }

  gtk::CurlHttpClient http;
  gtk::PosixOutputFiles output_files;
  gtk::GlibEventPump pump;
  gtk::PosixUpdaterFiles files;
  const std::unique_ptr<ReleaseCrypto> crypto = MakePlatformReleaseCrypto();
  gtk::ProcProcessWaiter waiter(pump);
  gtk::PosixProgramStarter starter;
  UpdaterFlow* running = nullptr;
  gtk::UpdaterWindow window([&running] {
    if (running != nullptr) {
      running->Cancel();
    }
  });
  UpdaterFlow flow(*settings, {http, output_files, pump, files, *crypto, waiter, starter, window});
  running = &flow;
  window.Show();
  pump.ProcessPendingEvents();
  const UpdateResult result = flow.Run();
  running = nullptr;
  return static_cast<int>(result);
}
