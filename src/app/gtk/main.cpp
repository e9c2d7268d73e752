// Entry point of the Linux client: builds the platform's windows and ports, hands them to
// the client and runs the main loop. A plain start shows the splash, loads the login page
// and shows the login screen once the page is complete. One client runs per user session:
// a later `orvane <game address>` hands the address to the running client and ends.
#include <gtk/gtk.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <optional>
#include <string>

#include "app/client.h"
#include "app/download_file.h"
#include "app/gtk/curl_http_session.h"
#include "app/gtk/gio_platform.h"
#include "app/gtk/glib_event_pump.h"
#include "app/gtk/gtk_client_views.h"
#include "app/gtk/gtk_message_boxes.h"
#include "app/gtk/posix_files.h"
#include "app/public_data.h"
#include "app/updater_argument.h"
#include "base/product.h"
#include "base/start_up_trace.h"
#include "base/temp_folder.h"
#include "browser/gtk/default_system_browser.h"
#include "mainwin/gtk/single_instance.h"
#include "mainwin/gtk/webkit_browser_cache.h"

namespace {

// The arguments as one text, as the start-up sequence compares them with "/web".
std::string ArgumentsText(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) {
      text += ' ';
    }
    text += argv[i];
  }
  return text;
}

std::string ProgramPath(const char* argv0) {
  char path[PATH_MAX] = {};
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv0);
}

// What a later start hands to the running client.
class HandOverToClient final : public orvane::HandOverOwner {
 public:
  explicit HandOverToClient(orvane::Client& client) : client_(client) {}
  void OpenGameTab(const std::string& strURL) override { client_.HandOver(strURL); }
  // A plain later start brings the running client's main window to the front.
  void PresentMainWindow() override { client_.PresentMainWindow(); }

 private:
  orvane::Client& client_;
};

// Claims the client's name on the session bus. In a later start, hands the arguments to
// the running client and answers its exit status; in the first start (or without a
// session bus, where every start runs on its own) answers nothing.
std::optional<int> HandOverToRunningClient(orvane::gtk::SingleInstance& instance, int argc,
                                           char** argv) {
  GError* error = nullptr;
  if (!g_application_register(instance.application(), nullptr, &error)) {
    g_message("No single instance: %s", error != nullptr ? error->message : "no session bus");
    g_clear_error(&error);
    return std::nullopt;
  }
  if (!g_application_get_is_remote(instance.application())) {
    return std::nullopt;
  }
  return instance.Run(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orvane;
  MarkStartUp(StartUpPoint::kProcessStart);
  // Every window's class (WM_CLASS on X11, the application id on Wayland) comes from the
  // program name: one fixed name, whatever the file is called, lets the desktop match the
  // windows to the installed desktop entry of the same name.
  g_set_prgname(ORVANE_APPLICATION_ID);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "%s: no graphical display to show the client on.\n",
                 std::string(kProductName).c_str());
    return 1;
  }
  const std::string arguments = ArgumentsText(argc, argv);

  gtk::PosixOutputFiles files;
  gtk::CurlHttpClient http;
  gtk::GlibEventPump pump;
  CNxDownLoadFile downloader(http, files, pump);
  gtk::PosixUpdateFiles update_files;
  ResourceFileWriter resources(LoadResourceBytes, files);
  gtk::GtkMessageBoxes dialogs;
  gtk::GioConnectivity connectivity;
  gtk::GioAddressLauncher addresses;
  gtk::SpawnProgramLauncher launcher;
  gtk::GlibProgramLoop loop;
  gtk::DefaultSystemBrowser system_browser;
  gtk::WebKitBrowserCache cache;
  gtk::GtkClientViews views;

  Client client(
      views,
      {connectivity, dialogs, addresses, resources, loop, loop, downloader, update_files, launcher,
       system_browser, cache},
      ProgramClientSettings(GetTempFolder(), ProgramPath(argv[0]), ProgramPathStyle::kPosix));
  // "/web" opens the home page and ends, whether or not a client runs.
  HandOverToClient hand_over(client);
  gtk::SingleInstance instance(gtk::kApplicationId, hand_over);
  if (arguments != "/web") {
    if (const std::optional<int> status = HandOverToRunningClient(instance, argc, argv)) {
      return *status;
    }
  }
  if (!client.Start(arguments)) {
    return client.ExitCode();
  }
  return loop.Run();
}
