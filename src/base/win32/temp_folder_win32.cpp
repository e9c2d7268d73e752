#include <windows.h>

#include <string>

#include "base/temp_folder.h"

namespace orvane {

std::string GetTempFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) {
    return {};
  }
  std::string folder(buffer, length);
  if (folder.back() != '\\') {
    folder.push_back('\\');
  }
  return folder;
}

}  // namespace orvane
