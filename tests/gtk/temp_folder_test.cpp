#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "base/temp_folder.h"

namespace orvane {
namespace {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("orvane-temp-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root_);
    saved_runtime_ = Get("XDG_RUNTIME_DIR");
    saved_cache_ = Get("XDG_CACHE_HOME");
  }
  void TearDown() override {
    Restore("XDG_RUNTIME_DIR", saved_runtime_);
    Restore("XDG_CACHE_HOME", saved_cache_);
    std::filesystem::remove_all(root_);
  }
  static std::string Get(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "\x01";
  }
  static void Restore(const char* name, const std::string& value) {
    if (value == "\x01") {
      ::unsetenv(name);
    } else {
      ::setenv(name, value.c_str(), 1);
    }
  }
  std::filesystem::path root_;
  std::string saved_runtime_, saved_cache_;
};

TEST_F(TempFolderTest, CreatesAPrivateFolderEndingInOneSeparator) {
  ::setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
  const std::string folder = GetTempFolder();
  EXPECT_EQ(folder, root_.string() + "/orvane/");
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(TempFolderTest, TightensAFolderOthersCouldWrite) {
  ::setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
  const auto ours = root_ / "orvane";
  std::filesystem::create_directory(ours);
  ::chmod(ours.c_str(), 0777);
  ASSERT_EQ(GetTempFolder(), ours.string() + "/");
  struct stat st {};
  ASSERT_EQ(::stat(ours.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0077, 0u);
}

TEST_F(TempFolderTest, RefusesASymlinkPlantedInItsPlace) {
  ::setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
  const auto elsewhere = root_ / "elsewhere";
  std::filesystem::create_directory(elsewhere);
  std::filesystem::create_directory_symlink(elsewhere, root_ / "orvane");
  EXPECT_EQ(GetTempFolder(), "");
}

TEST_F(TempFolderTest, FallsBackToTheCacheFolderWithoutARuntimeFolder) {
  ::setenv("XDG_RUNTIME_DIR", (root_ / "missing").c_str(), 1);
  ::setenv("XDG_CACHE_HOME", root_.c_str(), 1);
  EXPECT_EQ(GetTempFolder(), root_.string() + "/orvane/");
}

}  // namespace
}  // namespace orvane
