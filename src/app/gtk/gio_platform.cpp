#include "app/gtk/gio_platform.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include <utility>

#include "login/page_commands.h"

namespace orvane::gtk {

bool GioConnectivity::IsConnected() {
  GNetworkMonitor* monitor = g_network_monitor_get_default();
  return monitor != nullptr && g_network_monitor_get_network_available(monitor);
}

bool GioAddressLauncher::OpenAddress(const std::string& address) {
  if (!IsGameAddress(address)) {
    return false;
  }
  GError* error = nullptr;
  const gboolean opened = g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error);
  if (error != nullptr) {
    g_error_free(error);
  }
  return opened != FALSE;
}

bool SpawnProgramLauncher::ShellOpen(const std::string& file, const std::string& parameters) {
  // The file was just written by the client into its private folder; it must be runnable.
  if (::chmod(file.c_str(), 0700) != 0) {
    return false;
  }
  gchar* argv[] = {const_cast<gchar*>(file.c_str()), const_cast<gchar*>(parameters.c_str()),
                   nullptr};
  GError* error = nullptr;
  const gboolean started = g_spawn_async(
      nullptr, argv, nullptr,
      static_cast<GSpawnFlags>(G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL), nullptr,
      nullptr, nullptr, &error);
  if (error != nullptr) {
    g_error_free(error);
  }
  return started != FALSE;
}

GlibProgramLoop::GlibProgramLoop() : loop_(g_main_loop_new(nullptr, FALSE)) {}

GlibProgramLoop::~GlibProgramLoop() {
  // Calls still waiting would reach a client that is gone.
  if (idle_ != 0) {
    g_source_remove(idle_);
  }
  g_main_loop_unref(loop_);
}

int GlibProgramLoop::Run() {
  g_main_loop_run(loop_);
  return exit_code_;
}

void GlibProgramLoop::Quit(int exit_code) {
  exit_code_ = exit_code;
  g_main_loop_quit(loop_);
}

void GlibProgramLoop::Post(std::function<void()> call) {
  posted_.push_back(std::move(call));
  if (idle_ == 0) {
    idle_ = g_idle_add(RunPosted, this);
  }
}

gboolean GlibProgramLoop::RunPosted(gpointer self) {
  auto* loop = static_cast<GlibProgramLoop*>(self);
  loop->idle_ = 0;
  std::deque<std::function<void()>> calls;
  calls.swap(loop->posted_);
  for (auto& call : calls) {
    call();
  }
  return G_SOURCE_REMOVE;
}

}  // namespace orvane::gtk
