// A stand-in for the client in the updater's tests. Each start appends the tag its own
// file ends with (a last line "ORVANE-STANDIN:<tag>") to "starts.log" in its folder, so
// a test sees which file was started and how often. With the argument "stay" it keeps
// running until it is killed (a client that does not exit).
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) {
    return 1;
  }
  const std::string path(self, static_cast<std::size_t>(length));
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string marker = "ORVANE-STANDIN:";
  const std::size_t at = bytes.rfind(marker);
  std::string tag = "untagged";
  if (at != std::string::npos) {
    tag = bytes.substr(at + marker.size());
    tag = tag.substr(0, tag.find('\n'));
  }
  std::ofstream(path.substr(0, path.rfind('/')) + "/starts.log", std::ios::app) << tag << '\n';
  if (argc > 1 && std::string(argv[1]) == "stay") {
    for (;;) {
      ::pause();
    }
  }
  return 0;
}
