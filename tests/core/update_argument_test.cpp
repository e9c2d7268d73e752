// The updater's one argument: "<program folder>|<full path of the program>".
#include <gtest/gtest.h>

#include "app/updater_argument.h"

namespace orvane {
namespace {

TEST(UpdaterArgumentWindows, IsTheFolderABarAndTheProgramPath) {
  EXPECT_EQ(UpdaterArgument("C:\\Games\\Orvane\\Orvane.exe", ProgramPathStyle::kWindows),
            "C:\\Games\\Orvane|C:\\Games\\Orvane\\Orvane.exe");
}

TEST(UpdaterArgumentWindows, TheFolderKeepsItsSeparatorOnlyAtADriveRoot) {
  EXPECT_EQ(ProgramFolder("C:\\Orvane.exe", ProgramPathStyle::kWindows), "C:\\");
  EXPECT_EQ(ProgramFolder("D:\\x\\Orvane.exe", ProgramPathStyle::kWindows), "D:\\x");
  // A root is not given a second separator.
  EXPECT_EQ(UpdaterArgument("C:\\Orvane.exe", ProgramPathStyle::kWindows), "C:\\|C:\\Orvane.exe");
}

TEST(UpdaterArgumentWindows, TheNameLosesItsOwnExtensionAndEndsInExe) {
  EXPECT_EQ(
      UpdaterArgument("C:\\Program Files\\My.Client\\My.Client.EXE", ProgramPathStyle::kWindows),
      "C:\\Program Files\\My.Client|C:\\Program Files\\My.Client\\My.Client.exe");
  EXPECT_EQ(UpdaterArgument("C:\\Games\\Orvane", ProgramPathStyle::kWindows),
            "C:\\Games|C:\\Games\\Orvane.exe");
}

TEST(UpdaterArgumentWindows, NetworkSharesAndChinesePathsAreKeptAsTheyAre) {
  EXPECT_EQ(UpdaterArgument("\\\\server\\games\\Orvane.exe", ProgramPathStyle::kWindows),
            "\\\\server\\games|\\\\server\\games\\Orvane.exe");
  EXPECT_EQ(UpdaterArgument("C:\\游戏\\Orvane.exe", ProgramPathStyle::kWindows),
            "C:\\游戏|C:\\游戏\\Orvane.exe");
}

TEST(UpdaterArgumentLinux, HasTheSameShapeWithSlashesAndNoExtension) {
  EXPECT_EQ(UpdaterArgument("/opt/orvane/bin/orvane", ProgramPathStyle::kPosix),
            "/opt/orvane/bin|/opt/orvane/bin/orvane");
  EXPECT_EQ(UpdaterArgument("/home/me/orvane-1.1/orvane.bin", ProgramPathStyle::kPosix),
            "/home/me/orvane-1.1|/home/me/orvane-1.1/orvane.bin");
}

TEST(UpdaterArgumentLinux, TheRootFolderKeepsItsSlash) {
  EXPECT_EQ(ProgramFolder("/orvane", ProgramPathStyle::kPosix), "/");
  EXPECT_EQ(UpdaterArgument("/orvane", ProgramPathStyle::kPosix), "/|/orvane");
  EXPECT_EQ(ProgramFolder("/usr/bin/orvane", ProgramPathStyle::kPosix), "/usr/bin");
}

TEST(UpdaterArgumentLinux, ABackslashIsAnOrdinaryCharacterOfAName) {
  EXPECT_EQ(UpdaterArgument("/opt/a\\b/orvane", ProgramPathStyle::kPosix),
            "/opt/a\\b|/opt/a\\b/orvane");
}

}  // namespace
}  // namespace orvane
