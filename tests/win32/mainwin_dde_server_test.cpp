// The single-instance hand-over on Windows: a real DDE client program (a second start)
// talks to the server over DDEML under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/win32/unique_handle.h"
#include "mainwin/win32/dde_server.h"
#include "support/recording_hand_over_owner.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

using RecordingOwner = orvane::testing::RecordingHandOverOwner;

// Runs the DDE client helper and serves DDE messages until it ends; its exit code.
DWORD RunClient(const std::wstring& service, const std::wstring& topic,
                const std::wstring& command) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring exe(path);
  exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"dde_client.exe";
  std::wstring line =
      L"\"" + exe + L"\" \"" + service + L"\" \"" + topic + L"\" \"" + command + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
    return 100;
  }
  UniqueKernelHandle process(pi.hProcess);
  UniqueKernelHandle thread(pi.hThread);
  HANDLE wait = process.get();
  for (int i = 0; i < 3000; ++i) {
    const DWORD r = ::MsgWaitForMultipleObjects(1, &wait, FALSE, 10, QS_ALLINPUT);
    test_input::Pump();
    if (r == WAIT_OBJECT_0) {
      break;
    }
  }
  DWORD code = 101;
  if (::WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 102);
    return 102;
  }
  ::GetExitCodeProcess(process.get(), &code);
  return code;
}

// A command string of any bytes, sent as they are through a file the client reads.
class CommandFile {
 public:
  explicit CommandFile(const std::vector<char>& bytes) {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    wchar_t name[MAX_PATH] = {};
    ::GetTempFileNameW(folder, L"dde", 0, name);
    path_ = name;
    if (FILE* f = ::_wfopen(path_.c_str(), L"wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
  }
  ~CommandFile() { ::DeleteFileW(path_.c_str()); }
  CommandFile(const CommandFile&) = delete;
  CommandFile& operator=(const CommandFile&) = delete;
  std::wstring Argument() const { return L"@" + path_; }

 private:
  std::wstring path_;
};

std::vector<char> Bytes(const std::wstring& text, bool terminated = true) {
  const auto* first = reinterpret_cast<const char*>(text.data());
  std::vector<char> bytes(first, first + text.size() * sizeof(wchar_t));
  if (terminated) {
    bytes.insert(bytes.end(), sizeof(wchar_t), '\0');
  }
  return bytes;
}

TEST(DdeServerTest, TheServiceIsTheExecutableNameWithoutExtension) {
  EXPECT_EQ(ExecutableServiceName(), L"win32_tests");
}

TEST(DdeServerTest, ASecondStartHandsItsAddressOverEveryTime) {
  RecordingOwner owner;
  DdeServer server(ExecutableServiceName(), owner);
  ASSERT_TRUE(server.Serving());

  const std::wstring address = L"http://s1.orvane-game.com/play?user=7&server=2";
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", address), 0u);
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"orvanedde", address), 0u);  // any case
  EXPECT_EQ(owner.opened, (std::vector<std::string>(2,
                                                    "http://s1.orvane-game.com/play?user=7&"
                                                    "server=2")));
  EXPECT_EQ(owner.presented, 2);
}

TEST(DdeServerTest, AnythingButAGameAddressIsNotProcessed) {
  RecordingOwner owner;
  DdeServer server(ExecutableServiceName(), owner);
  ASSERT_TRUE(server.Serving());
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", L"file:///C:/windows/win.ini"), 1u);
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", L"javascript:alert(1)"), 1u);
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", L"C:\\windows\\notepad.exe"), 1u);
  EXPECT_TRUE(owner.opened.empty());
  EXPECT_EQ(owner.presented, 0);
}

TEST(DdeServerTest, AnotherTopicOrServiceGetsNoConversation) {
  RecordingOwner owner;
  DdeServer server(ExecutableServiceName(), owner);
  ASSERT_TRUE(server.Serving());
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"System2", L"http://a.example/"), 2u);
  EXPECT_EQ(RunClient(L"SomeOtherProgram", L"OrvaneDDE", L"http://a.example/"), 2u);
  EXPECT_TRUE(owner.opened.empty());
}

TEST(DdeServerTest, ACommandStringLongerThanFourKilobytesArrivesWhole) {
  RecordingOwner owner;
  DdeServer server(ExecutableServiceName(), owner);
  ASSERT_TRUE(server.Serving());
  const std::string path(6000, 'p');
  const std::wstring wide_path(path.begin(), path.end());
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", L"https://a.example/" + wide_path),
            0u);
  ASSERT_EQ(owner.opened.size(), 1u);
  EXPECT_EQ(owner.opened[0], "https://a.example/" + path);

  const std::wstring junk(6000, L'x');
  EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", junk), 1u);
  EXPECT_EQ(owner.opened.size(), 1u);
}

TEST(DdeServerTest, AMegabyteAddressArrivesWholeAndAMegabyteOfJunkIsRefused) {
  RecordingOwner owner;
  DdeServer server(ExecutableServiceName(), owner);
  ASSERT_TRUE(server.Serving());
  // A megabyte of characters: two as the UTF-16 the request carries. (Under Wine a request
  // of more than 2 MiB never reaches the server; the client gives up after its timeout.)
  const std::string path(1000 * 1000, 'p');
  const std::wstring wide_path(path.begin(), path.end());
  {
    CommandFile address(Bytes(L"https://a.example/" + wide_path));
    EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", address.Argument()), 0u);
  }
  ASSERT_EQ(owner.opened.size(), 1u);
  EXPECT_EQ(owner.opened[0], "https://a.example/" + path);
  {
    CommandFile junk(Bytes(L"javascript:" + wide_path));
    EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", junk.Argument()), 1u);
  }
  EXPECT_EQ(owner.opened.size(), 1u);
  EXPECT_EQ(owner.presented, 1);
}

TEST(DdeServerTest, IllFormedOrSmuggledCommandStringsAreNotProcessed) {
  RecordingOwner owner;
  DdeServer server(ExecutableServiceName(), owner);
  ASSERT_TRUE(server.Serving());
  const std::vector<std::vector<char>> commands = {
      // A lone surrogate: no text, though it would convert with a character replaced.
      Bytes(std::wstring(L"http://a.example/") + wchar_t(0xD800) + L"x"),
      Bytes(std::wstring(L"http://a.example/") + wchar_t(0xDC00)),
      // A second command hidden after the terminating NUL.
      Bytes(std::wstring(L"http://a.example/\0javascript:alert(1)", 37)),
      Bytes(std::wstring(L"file:///C:/windows/win.ini\0http://a.example/", 44)),
      // Reordering marks, controls, other schemes.
      Bytes(L"http://a.example/\u202Egpj.exe"),
      Bytes(L"\u200Fhttp://a.example/"),
      Bytes(L" http://a.example/"),
      Bytes(L"JAVASCRIPT:alert(1)"),
      Bytes(L"http:a.example"),
      // No terminator at all, and an odd number of bytes.
      Bytes(L"ftp://a.example/", false),
      {'h', 't', 't', 'p', 's'},
  };
  for (std::size_t i = 0; i < commands.size(); ++i) {
    CommandFile command(commands[i]);
    EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", command.Argument()), 1u)
        << "command " << i;
  }
  EXPECT_TRUE(owner.opened.empty());
  EXPECT_EQ(owner.presented, 0);

  // Trailing NULs and a command sent without its terminator are still the command.
  {
    CommandFile padded(Bytes(std::wstring(L"http://a.example/one\0\0\0", 23)));
    EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", padded.Argument()), 0u);
  }
  {
    CommandFile bare(Bytes(L"http://a.example/two", false));
    EXPECT_EQ(RunClient(ExecutableServiceName(), L"OrvaneDDE", bare.Argument()), 0u);
  }
  EXPECT_EQ(owner.opened,
            (std::vector<std::string>{"http://a.example/one", "http://a.example/two"}));
}

}  // namespace
}  // namespace orvane::win32
