#include "app/win32/resource_file_writer.h"

#include <windows.h>

#include "base/win32/text_encoding.h"
#include "base/win32/unique_handle.h"

namespace orvane::win32 {

bool ResourceFileWriter::SaveResourceToFile(int id, ResourceType type, const std::string& path) {
  const auto bytes = LoadResourceBytes(type, id);
  if (!bytes) {
    return false;
  }
  const std::wstring target = Utf8ToWide(path);
  const std::wstring fresh = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  bool written = false;
  {
    const UniqueFile file(::CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      return false;
    }
    DWORD done = 0;
    written =
        ::WriteFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &done, nullptr) &&
        done == bytes->size() && ::FlushFileBuffers(file.get());
  }
  if (!written || !::MoveFileExW(fresh.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(fresh.c_str());
    return false;
  }
  return true;
}

}  // namespace orvane::win32
