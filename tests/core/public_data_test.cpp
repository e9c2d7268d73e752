// `SaveResourceToFile` over the program's resources and the platform's files.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/public_data.h"

namespace orvane {
namespace {

class MemoryFiles final : public OutputFiles {
 public:
  class File final : public OutputFile {
   public:
    File(MemoryFiles& files, std::string path) : files_(files), path_(std::move(path)) {}
    bool Write(std::span<const char> bytes) override {
      if (files_.fail_write) {
        files_.contents[path_].append(bytes.data(), bytes.size() / 2);
        return false;
      }
      files_.contents[path_].append(bytes.data(), bytes.size());
      return true;
    }
    bool Close() override { return !files_.fail_close; }

   private:
    MemoryFiles& files_;
    std::string path_;
  };
  std::unique_ptr<OutputFile> CreateAlways(const std::string& path, bool hidden) override {
    if (!creatable) {
      return nullptr;
    }
    created_hidden = hidden;
    contents[path].clear();
    return std::make_unique<File>(*this, path);
  }
  bool Remove(const std::string& path) override { return contents.erase(path) == 1; }
  bool Rename(const std::string&, const std::string&) override { return false; }

  std::map<std::string, std::string> contents;
  bool creatable = true;
  bool fail_write = false;
  bool fail_close = false;
  bool created_hidden = true;
};

std::optional<std::vector<std::uint8_t>> Carried(ResourceType type, int id) {
  if (type == ResourceType::Icon && id == 101) {
    return std::vector<std::uint8_t>{0, 0, 1, 0, 6, 0, 0xFF};
  }
  return std::nullopt;
}

class SaveResourceToFileTest : public ::testing::Test {
 protected:
  MemoryFiles files;
  ResourceFileWriter writer{Carried, files};
};

TEST_F(SaveResourceToFileTest, WritesEveryByteOfTheResourceIntoAPlainFile) {
  files.contents["/t/mirab.ico"] = "an older, longer file";
  EXPECT_TRUE(writer.SaveResourceToFile(101, ResourceType::Icon, "/t/mirab.ico"));
  EXPECT_EQ(files.contents["/t/mirab.ico"], std::string("\0\0\1\0\6\0\xFF", 7));
  EXPECT_FALSE(files.created_hidden);
}

TEST_F(SaveResourceToFileTest, AResourceTheProgramDoesNotCarryCreatesNoFile) {
  EXPECT_FALSE(writer.SaveResourceToFile(102, ResourceType::Icon, "/t/x.ico"));
  EXPECT_FALSE(writer.SaveResourceToFile(101, ResourceType::Update, "/t/Update.exe"));
  EXPECT_TRUE(files.contents.empty());
}

TEST_F(SaveResourceToFileTest, AFileThatCannotBeCreatedFails) {
  files.creatable = false;
  EXPECT_FALSE(writer.SaveResourceToFile(101, ResourceType::Icon, "/t/mirab.ico"));
}

TEST_F(SaveResourceToFileTest, AFileWrittenOnlyInPartIsDeletedAgain) {
  files.fail_write = true;
  EXPECT_FALSE(writer.SaveResourceToFile(101, ResourceType::Icon, "/t/mirab.ico"));
  EXPECT_EQ(files.contents.count("/t/mirab.ico"), 0U);
}

TEST_F(SaveResourceToFileTest, AFileWhoseDataCannotBeCommittedIsDeletedAgain) {
  files.fail_close = true;
  EXPECT_FALSE(writer.SaveResourceToFile(101, ResourceType::Icon, "/t/mirab.ico"));
  EXPECT_EQ(files.contents.count("/t/mirab.ico"), 0U);
}

TEST(IconFilePath, IsTheTemporaryFolderFollowedDirectlyByTheName) {
  EXPECT_EQ(IconFilePath("C:\\Temp\\"), "C:\\Temp\\mirab.ico");
  EXPECT_EQ(IconFilePath("/run/user/1/orvane/"), "/run/user/1/orvane/mirab.ico");
}

}  // namespace
}  // namespace orvane
