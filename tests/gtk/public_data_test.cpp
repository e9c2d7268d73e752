// `SaveResourceToFile` with the program's own resources and real files: the icon file
// written byte for byte as the program carries it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/gtk/posix_files.h"
#include "app/public_data.h"

namespace orvane {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SaveResourceToFile, WritesTheIconFileAsTheProgramCarriesIt) {
  std::string folder = "/tmp/orvane-icon-XXXXXX";
  ASSERT_NE(::mkdtemp(folder.data()), nullptr);
  gtk::PosixOutputFiles files;
  ResourceFileWriter writer(LoadResourceBytes, files);
  const std::string path = IconFilePath(folder + "/");
  // An older file of another length is replaced whole.
  std::ofstream(path) << std::string(100000, 'x');
  ASSERT_TRUE(writer.SaveResourceToFile(kIconFileResourceId, ResourceType::Icon, path));
  const std::string written = ReadFile(path);
  EXPECT_EQ(written, ReadFile(std::string(ORVANE_RESOURCE_DIR) + "/mirab.ico"));
  EXPECT_GT(written.size(), 6U);
  // A resource the program does not carry leaves no file behind.
  EXPECT_FALSE(writer.SaveResourceToFile(999, ResourceType::Icon, folder + "/none.ico"));
  EXPECT_NE(::access((folder + "/none.ico").c_str(), F_OK), 0);
  ::unlink(path.c_str());
  ::rmdir(folder.c_str());
}

}  // namespace
}  // namespace orvane
