#include "app/win32/win32_files.h"

#include <windows.h>

#include <algorithm>

namespace orvane::win32 {
namespace {

// A file handle, closed once.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (handle_ == INVALID_HANDLE_VALUE) {
      return true;
    }
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE handle) : file_(handle) {}
  bool Write(std::span<const char> bytes) override {
    while (!bytes.empty()) {
      const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), MAXDWORD));
      DWORD written = 0;
      if (!::WriteFile(file_.Get(), bytes.data(), wanted, &written, nullptr) || written == 0) {
        return false;
      }
      bytes = bytes.subspan(written);
    }
    return true;
  }
  bool Close() override { return file_.Close(); }

 private:
  FileHandle file_;
};

class Win32ByteSource final : public ByteSource {
 public:
  explicit Win32ByteSource(HANDLE handle) : file_(handle) {}
  std::size_t Read(std::span<char> buffer) override {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), MAXDWORD));
    DWORD read = 0;
    if (!::ReadFile(file_.Get(), buffer.data(), wanted, &read, nullptr)) {
      return 0;  // a read error ends the text like its end would
    }
    return read;
  }

 private:
  FileHandle file_;
};

}  // namespace

std::unique_ptr<OutputFile> Win32OutputFiles::CreateAlways(const std::string& path, bool hidden) {
  const HANDLE handle =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                    hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return nullptr;
  }
  return std::make_unique<Win32OutputFile>(handle);
}

bool Win32OutputFiles::Remove(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != FALSE;
}

bool Win32OutputFiles::Rename(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool Win32UpdateFiles::Exists(const std::string& path) {
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<TextLineSource> Win32UpdateFiles::OpenLines(const std::string& path) {
  const HANDLE handle =
      ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return nullptr;
  }
  return std::make_unique<CrLineReader>(std::make_unique<Win32ByteSource>(handle));
}

}  // namespace orvane::win32
