#include "updater/win32/win32_updater_files.h"

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "base/win32/unique_handle.h"
#include "updater/win32/wide_text.h"

namespace orvane::win32 {
namespace {

UniqueFile OpenForReading(const std::string& path) {
  return UniqueFile(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

class WideOutputFile final : public OutputFile {
 public:
  explicit WideOutputFile(UniqueFile file) : file_(std::move(file)) {}
  bool Write(std::span<const char> bytes) override {
    while (!bytes.empty()) {
      const DWORD wanted =
          static_cast<DWORD>(bytes.size() < (1u << 30) ? bytes.size() : (1u << 30));
      DWORD written = 0;
      if (!::WriteFile(file_.get(), bytes.data(), wanted, &written, nullptr) || written == 0) {
        return false;
      }
      bytes = bytes.subspan(written);
    }
    return true;
  }
  bool Close() override {
    if (!file_) {
      return true;
    }
    const bool flushed = ::FlushFileBuffers(file_.get()) != FALSE;
    return ::CloseHandle(file_.release()) != FALSE && flushed;
  }

 private:
  UniqueFile file_;
};

bool SameFile(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool ProgramRuns(const std::wstring& path) {
  const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) {
    return false;
  }
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  const DWORD own = ::GetCurrentProcessId();
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID == own || entry.th32ProcessID == 0) {
      continue;
    }
    const UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process) {
      continue;
    }
    wchar_t image[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(std::size(image));
    if (::QueryFullProcessImageNameW(process.get(), 0, image, &length) &&
        SameFile(std::wstring(image, length), path)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (wide.empty()) {
    return false;
  }
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool Win32UpdaterFiles::CanWriteFolder(const std::string& folder) {
  std::string probe = folder;
  if (!probe.empty() && probe.back() != '\\') {
    probe.push_back('\\');
  }
  probe += ".orvane-update-probe-" + std::to_string(::GetCurrentProcessId());
  const UniqueFile file(::CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                                      nullptr));
  return static_cast<bool>(file);
}

std::optional<std::string> Win32UpdaterFiles::ReadSmallFile(const std::string& path,
                                                            std::size_t limit) {
  const UniqueFile file = OpenForReading(path);
  if (!file) {
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      return std::nullopt;
    }
    if (got == 0) {
      return text;
    }
    text.append(buffer, got);
    if (text.size() > limit) {
      return std::nullopt;
    }
  }
}

bool Win32UpdaterFiles::Measure(const std::string& path, Sha256Stream& hash, std::uint64_t& size) {
  const UniqueFile file = OpenForReading(path);
  if (!file) {
    return false;
  }
  size = 0;
  std::vector<std::uint8_t> buffer(64 * 1024);
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      return false;
    }
    if (got == 0) {
      return true;
    }
    size += got;
    if (!hash.Update({buffer.data(), got})) {
      return false;
    }
  }
}

bool Win32UpdaterFiles::Remove(const std::string& path) {
  return ::DeleteFileW(Wide(path).c_str()) != FALSE || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool Win32UpdaterFiles::Replace(const std::string& program, const std::string& replacement,
                                const std::string& backup) {
  const std::wstring target = Wide(program);
  // The copy keeps the old client whole under its backup name before anything moves.
  if (!::CopyFileW(target.c_str(), Wide(backup).c_str(), FALSE)) {
    return false;
  }
  return ::MoveFileExW(Wide(replacement).c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::unique_ptr<OutputFile> Win32UpdaterFiles::CreateAlways(const std::string& path, bool hidden) {
  UniqueFile file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS,
                                hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return nullptr;
  }
  return std::make_unique<WideOutputFile>(std::move(file));
}

bool Win32UpdaterFiles::Rename(const std::string& from, const std::string& to) {
  return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool Win32ProcessWaiter::WaitUntilNotRunning(const std::string& path, int seconds) {
  const std::wstring wide = Wide(path);
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (;;) {
    if (!ProgramRuns(wide)) {
      return true;
    }
    if (::GetTickCount64() >= deadline) {
      return false;
    }
    pump_.ProcessPendingEvents();
    ::Sleep(100);
  }
}

bool Win32ProgramStarter::Start(const std::string& path) {
  std::wstring program = Wide(path);
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
  if (folder.size() == 2) {
    folder += L'\\';  // "C:" alone would mean that drive's current folder
  }
  std::wstring command_line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
    return false;
  }
  const UniqueKernelHandle process(info.hProcess);
  const UniqueKernelHandle thread(info.hThread);
  return true;
}

}  // namespace orvane::win32
