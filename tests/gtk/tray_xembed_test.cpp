// The XEmbed stand-in in a real XEmbed tray (trayer) on the X display: the icon is taken
// in, and real clicks on it reach the owner as left and right clicks.
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <string>

#include "base/product.h"
#include "mainwin/gtk/linux_tray.h"
#include "mainwin/gtk/xembed_status_icon.h"
#include "mainwin/notify_icon.h"
#include "support/counting_tray_owner.h"
#include "support/gtk/real_input.h"

namespace orvane::gtk {
namespace {

using test_input::WaitUntil;
using test_input::Xdotool;

using CountingOwner = orvane::testing::CountingTrayOwner;

// A tray program run for one test and ended with it.
class TrayProcess {
 public:
  explicit TrayProcess(const char* const* argv) {
    GError* error = nullptr;
    process_ = g_subprocess_newv(argv, G_SUBPROCESS_FLAGS_STDERR_SILENCE, &error);
    if (error != nullptr) {
      error_ = error->message;
      g_error_free(error);
    }
  }
  ~TrayProcess() {
    if (process_ != nullptr) {
      g_subprocess_force_exit(process_);
      g_subprocess_wait(process_, nullptr, nullptr);
      g_object_unref(process_);
    }
  }
  TrayProcess(const TrayProcess&) = delete;
  TrayProcess& operator=(const TrayProcess&) = delete;

  bool Running() const { return process_ != nullptr; }
  const std::string& Error() const { return error_; }

 private:
  GSubprocess* process_ = nullptr;
  std::string error_;
};

class TrayXEmbed : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }
};

TEST_F(TrayXEmbed, TheStandInIsTakenInByTrayerAndRealClicksReachTheOwner) {
  gchar* trayer = g_find_program_in_path("trayer");
  if (trayer == nullptr) {
    GTEST_SKIP() << "trayer is not installed (tools/bootstrap installs it)";
  }
  const char* const argv[] = {trayer,        "--edge",   "top",     "--align", "right",
                              "--widthtype", "pixel",    "--width", "120",     "--height",
                              "32",          "--expand", "false",   nullptr};
  TrayProcess tray_program(argv);
  g_free(trayer);
  ASSERT_TRUE(tray_program.Running()) << tray_program.Error();

  // No StatusNotifierWatcher on this bus (or no bus at all): the stand-in is used.
  CountingOwner owner;
  CNxNotifyIcon* icon_ptr = nullptr;
  LinuxTray tray({}, [&](std::uint32_t m) { icon_ptr->OnCallbackMessage(m); });
  CNxNotifyIcon icon(tray, &owner);
  icon_ptr = &icon;
  icon.AddNotifyIcon(0, 0, kClientTitle);
  ASSERT_TRUE(WaitUntil([&] { return tray.Fallback() != nullptr; }));
  ASSERT_TRUE(WaitUntil([&] { return tray.Fallback()->Embedded(); }))
      << "trayer did not take the icon in";

  GdkRectangle area{};
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  ASSERT_TRUE(WaitUntil([&] {
    return gtk_status_icon_get_geometry(tray.Fallback()->Native(), nullptr, &area, nullptr) &&
           area.width > 1 && area.x >= 0;
  }));
  G_GNUC_END_IGNORE_DEPRECATIONS
  const std::string centre =
      std::to_string(area.x + area.width / 2) + " " + std::to_string(area.y + area.height / 2);

  Xdotool("mousemove --sync " + centre);
  Xdotool("click 1");
  ASSERT_TRUE(WaitUntil([&] { return owner.left == 1; }));
  EXPECT_EQ(owner.right, 0);
  Xdotool("click 3");
  ASSERT_TRUE(WaitUntil([&] { return owner.right == 1; }));
  EXPECT_EQ(owner.left, 1);

  // Deleting the icon takes it out of the tray.
  icon.DeleteNotifyIcon();
  EXPECT_EQ(tray.Fallback(), nullptr);
}

}  // namespace
}  // namespace orvane::gtk
