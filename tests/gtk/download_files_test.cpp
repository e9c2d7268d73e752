// The POSIX files behind the download and the update check.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/gtk/posix_files.h"

namespace orvane {
namespace {

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = "/tmp/orvane-files-XXXXXX";
    ASSERT_NE(::mkdtemp(folder_.data()), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"/a.txt", "/.hidden.txt", "/lines.txt"}) {
      ::unlink((folder_ + name).c_str());
    }
    ::rmdir(folder_.c_str());
  }
  std::optional<std::string> Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string folder_;
  gtk::PosixOutputFiles output_;
  gtk::PosixUpdateFiles files_;
};

TEST_F(PosixFilesTest, CreateAlwaysEmptiesAnExistingFileAndWritesWhatItIsGiven) {
  const std::string path = folder_ + "/a.txt";
  std::ofstream(path) << "a long earlier content that must go";
  auto file = output_.CreateAlways(path, true);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Content(path), "");
  EXPECT_TRUE(file->Write(std::string_view("version=")));
  EXPECT_TRUE(file->Write(std::string_view("1.1.0\r\n")));
  EXPECT_TRUE(file->Close());
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(Content(path), "version=1.1.0\r\n");
}

TEST_F(PosixFilesTest, AFileMayBeReadWhileItIsBeingWritten) {
  const std::string path = folder_ + "/a.txt";
  auto file = output_.CreateAlways(path, false);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->Write(std::string_view("partial")));
  EXPECT_EQ(Content(path), "partial");
}

TEST_F(PosixFilesTest, CreateFailsInAFolderThatDoesNotExistAndRemoveDeletes) {
  EXPECT_EQ(output_.CreateAlways(folder_ + "/missing/a.txt", true), nullptr);
  const std::string path = folder_ + "/a.txt";
  std::ofstream(path) << "x";
  EXPECT_TRUE(output_.Remove(path));
  EXPECT_FALSE(files_.Exists(path));
  EXPECT_FALSE(output_.Remove(path));
}

TEST_F(PosixFilesTest, ExistsSeesHiddenFiles) {
  const std::string path = folder_ + "/.hidden.txt";
  EXPECT_FALSE(files_.Exists(path));
  std::ofstream(path) << "";
  EXPECT_TRUE(files_.Exists(path));
}

TEST_F(PosixFilesTest, OpenLinesReadsTheFileWithCarriageReturnLineEnds) {
  const std::string path = folder_ + "/lines.txt";
  std::ofstream(path, std::ios::binary) << "one\r\ntwo\rthree\nstill three";
  auto lines = files_.OpenLines(path);
  ASSERT_NE(lines, nullptr);
  std::vector<std::string> read;
  while (auto line = lines->ReadLine()) {
    read.push_back(*line);
  }
  EXPECT_EQ(read, (std::vector<std::string>{"one", "two", "three\nstill three"}));
  EXPECT_EQ(files_.OpenLines(folder_ + "/none.txt"), nullptr);
}

}  // namespace
}  // namespace orvane
