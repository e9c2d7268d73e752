// The updater's command line: exactly one "A|B" with B directly inside folder A.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "updater/updater_settings.h"
#include "updater/updater_target.h"

namespace orvane {
namespace {

std::optional<UpdaterTarget> Posix(std::vector<std::string> arguments) {
  return ParseUpdaterTarget(arguments, ProgramPathStyle::kPosix);
}
std::optional<UpdaterTarget> Windows(std::vector<std::string> arguments) {
  return ParseUpdaterTarget(arguments, ProgramPathStyle::kWindows);
}

TEST(UpdaterTargetTest, TheClientsOwnArgumentIsAccepted) {
  // What the client builds for itself is what the updater takes.
  const auto linux = Posix({UpdaterArgument("/opt/orvane/orvane", ProgramPathStyle::kPosix)});
  ASSERT_TRUE(linux);
  EXPECT_EQ(linux->folder, "/opt/orvane");
  EXPECT_EQ(linux->program, "/opt/orvane/orvane");
  const auto windows =
      Windows({UpdaterArgument("C:\\Games\\Orvane\\Orvane.exe", ProgramPathStyle::kWindows)});
  ASSERT_TRUE(windows);
  EXPECT_EQ(windows->folder, "C:\\Games\\Orvane");
  EXPECT_EQ(windows->program, "C:\\Games\\Orvane\\Orvane.exe");
  const auto root = Windows({UpdaterArgument("C:\\Orvane.exe", ProgramPathStyle::kWindows)});
  ASSERT_TRUE(root);
  EXPECT_EQ(root->folder, "C:\\");
  EXPECT_EQ(root->program, "C:\\Orvane.exe");
  const auto posix_root = Posix({"/|/orvane"});
  ASSERT_TRUE(posix_root);
  EXPECT_EQ(posix_root->program, "/orvane");
}

TEST(UpdaterTargetTest, PathsAreComparedNormalised) {
  const auto spelled = Posix({"/opt//orvane/./|/opt/orvane//orvane"});
  ASSERT_TRUE(spelled);
  EXPECT_EQ(spelled->folder, "/opt/orvane");
  EXPECT_EQ(spelled->program, "/opt/orvane/orvane");
  // Windows: either slash, any case, the drive letter upper-cased; the folder's spelling wins.
  const auto mixed = Windows({"c:/games/ORVANE|C:\\Games\\Orvane\\Orvane.exe"});
  ASSERT_TRUE(mixed);
  EXPECT_EQ(mixed->folder, "C:\\games\\ORVANE");
  EXPECT_EQ(mixed->program, "C:\\games\\ORVANE\\Orvane.exe");
  // Case matters on Linux.
  EXPECT_FALSE(Posix({"/opt/Orvane|/opt/orvane/orvane"}));
}

TEST(UpdaterTargetTest, EverythingElseIsRefused) {
  EXPECT_FALSE(Posix({}));
  EXPECT_FALSE(Posix({"/opt/o|/opt/o/orvane", "/opt/o|/opt/o/orvane"}));
  EXPECT_FALSE(Posix({"/opt/o/opt/o/orvane"}));        // no "|"
  EXPECT_FALSE(Posix({"/opt/o|/opt/o/orvane|x"}));     // two
  EXPECT_FALSE(Posix({"/opt/o|/opt/orvane"}));         // outside the folder
  EXPECT_FALSE(Posix({"/opt/o|/opt/o/sub/orvane"}));   // not directly inside
  EXPECT_FALSE(Posix({"/opt/o|/opt/o"}));              // the folder itself
  EXPECT_FALSE(Posix({"/opt/o|/opt/o/../o/orvane"}));  // ".." is not resolved
  EXPECT_FALSE(Posix({"/opt/o/..|/opt/orvane"}));
  EXPECT_FALSE(Posix({"opt/o|opt/o/orvane"}));  // relative
  EXPECT_FALSE(Posix({"|"}));
  EXPECT_FALSE(Posix({"/opt/o|/opt/o/orv\nane"}));  // control characters
  EXPECT_FALSE(
      Posix({"/opt/o|/opt/o/orv\x1b"
             "ane"}));
  EXPECT_FALSE(Posix({"/opt/o\t|/opt/o\t/orvane"}));
  EXPECT_FALSE(Windows({"C:\\O|D:\\O\\Orvane.exe"}));  // another drive
  EXPECT_FALSE(Windows({"C:O|C:O\\Orvane.exe"}));      // drive-relative
  EXPECT_FALSE(Windows({"\\\\server\\share|\\\\server\\share\\Orvane.exe"}));
  EXPECT_FALSE(Windows({"C:\\O|C:\\O\\Orvane.exe:stream"}));
  EXPECT_FALSE(Windows({"C:\\O|C:\\O\\Orvane.exe."}));  // Windows would trim the dot
  EXPECT_FALSE(Windows({"C:\\O|C:\\O\\*.exe"}));
}

// The Linux package puts the client in /usr/bin; the per-user install and a copy unpacked
// anywhere else stay the updater's to replace.
TEST(UpdaterTargetTest, SystemPackageFoldersAreTheSystemsOwn) {
  for (const char* folder :
       {"/usr/bin", "/usr/games", "/usr", "/usr/lib/orvane", "/bin", "/sbin"}) {
    EXPECT_TRUE(IsSystemPackageFolder(folder, ProgramPathStyle::kPosix)) << folder;
  }
  for (const char* folder : {"/usr/local/bin", "/usr/local", "/home/player/.local/lib/orvane",
                             "/opt/orvane", "/usrx/bin", "/binaries", "/", "/tmp/usr/bin"}) {
    EXPECT_FALSE(IsSystemPackageFolder(folder, ProgramPathStyle::kPosix)) << folder;
  }
  EXPECT_FALSE(IsSystemPackageFolder("C:\\usr\\bin", ProgramPathStyle::kWindows));
  EXPECT_FALSE(IsSystemPackageFolder("/usr/bin", ProgramPathStyle::kWindows));
  // What the updater reads from the client's own argument.
  const auto packaged = Posix({UpdaterArgument("/usr/bin/orvane", ProgramPathStyle::kPosix)});
  ASSERT_TRUE(packaged);
  EXPECT_TRUE(IsSystemPackageFolder(packaged->folder, ProgramPathStyle::kPosix));
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST(UpdaterSettingsTest, WaitIsOneToSixtySecondsElseSixty) {
  EXPECT_EQ(WaitSecondsFor(nullptr), 60);
  EXPECT_EQ(WaitSecondsFor(""), 60);
  EXPECT_EQ(WaitSecondsFor("1"), 1);
  EXPECT_EQ(WaitSecondsFor("60"), 60);
  EXPECT_EQ(WaitSecondsFor("0"), 60);
  EXPECT_EQ(WaitSecondsFor("61"), 60);
  EXPECT_EQ(WaitSecondsFor("99999999999999999999"), 60);  // no overflow
  EXPECT_EQ(WaitSecondsFor("5s"), 60);
  EXPECT_EQ(WaitSecondsFor("-5"), 60);
}

TEST(UpdaterSettingsTest, TheManifestComesFromTheStaticServerWithTheBuiltInKey) {
  const auto settings = MakeUpdaterSettings({"/opt/o", "/opt/o/orvane"}, kPlatformLinux);
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->manifest_url, settings->static_server + "/gamehome/mirab/release.txt");
  EXPECT_EQ(settings->running_version, "1.1.0");
  EXPECT_EQ(settings->platform, kPlatformLinux);
  EXPECT_EQ(settings->public_key[0], 0x04);
  EXPECT_FALSE(settings->system_package);
  EXPECT_TRUE(MakeUpdaterSettings({"/usr/bin", "/usr/bin/orvane"}, kPlatformLinux)->system_package);
  EXPECT_FALSE(MakeUpdaterSettings({"C:\\usr\\bin", "C:\\usr\\bin\\Orvane.exe"}, kPlatformWin32)
                   ->system_package);
}

}  // namespace
}  // namespace orvane
