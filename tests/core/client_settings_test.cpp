#include <gtest/gtest.h>

#include "app/client.h"
#include "base/product.h"

namespace orvane {
namespace {

// The updater the client starts and its argument come from the program's own path and
// platform, whatever the server says.
TEST(ProgramClientSettingsTest, TheUpdaterAndItsArgumentFollowTheProgramsOwnPath) {
  const ClientSettings linux_settings = ProgramClientSettings(
      "/run/user/1000/orvane/", "/home/p/.local/lib/orvane/orvane", ProgramPathStyle::kPosix);
  EXPECT_EQ(linux_settings.update.updater_file_name, "orvane-update");
  EXPECT_EQ(linux_settings.update.updater_argument,
            "/home/p/.local/lib/orvane|/home/p/.local/lib/orvane/orvane");
  EXPECT_EQ(linux_settings.update.version_text, kVersionText);
  EXPECT_EQ(linux_settings.update.temp_folder, "/run/user/1000/orvane/");

  const ClientSettings windows_settings = ProgramClientSettings(
      "C:\\Temp\\", "C:\\Games\\Orvane\\Orvane.exe", ProgramPathStyle::kWindows);
  EXPECT_EQ(windows_settings.update.updater_file_name, "Update.exe");
  EXPECT_EQ(windows_settings.update.updater_argument,
            "C:\\Games\\Orvane|C:\\Games\\Orvane\\Orvane.exe");
  EXPECT_NE(windows_settings.update.update_file_url.find("/gamehome/mirab/update.txt"),
            std::string::npos);
  EXPECT_NE(windows_settings.login_page.find("/yy/mirab/microend"), std::string::npos);
}

}  // namespace
}  // namespace orvane
