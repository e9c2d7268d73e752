// Entry point of the Linux client: builds the platform's windows and ports, hands them to
// the client and runs the main loop. A plain start shows the splash, loads the login page
// and shows the login screen once the page is complete.
#include <gtk/gtk.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
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
#include "base/temp_folder.h"
#include "browser/gtk/default_system_browser.h"
#include "browser/gtk/web_context.h"
#include "mainwin/gtk/webkit_cache.h"

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

// The program menu's cache clearing over the web engine's data shared by every page.
class WebKitBrowserCache final : public orvane::BrowserCache {
 public:
  void ClearUrlCache(std::string_view, std::uint32_t) override {
    orvane::gtk::ClearUrlCache(
        webkit_web_context_get_website_data_manager(orvane::gtk::SharedWebContext()));
  }
};

std::string ProgramPath(const char* argv0) {
  char path[PATH_MAX] = {};
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string(argv0);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace orvane;
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
  gtk::GtkClientViews views;
  gtk::DefaultSystemBrowser system_browser;
  WebKitBrowserCache cache;

  Client client(
      views,
      {connectivity, dialogs, addresses, resources, loop, loop, downloader, update_files, launcher,
       system_browser, cache},
      ProgramClientSettings(GetTempFolder(), ProgramPath(argv[0]), ProgramPathStyle::kPosix));
  if (!client.Start(arguments)) {
    return client.ExitCode();
  }
  return loop.Run();
}
