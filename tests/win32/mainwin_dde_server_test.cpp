// The single-instance hand-over on Windows: a real DDE client program (a second start)
// talks to the server over DDEML under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/win32/unique_handle.h"
#include "mainwin/win32/dde_server.h"
#include "support/win32/real_input.h"

namespace orvane::win32 {
namespace {

class RecordingOwner final : public HandOverOwner {
 public:
  std::vector<std::string> opened;
  int presented = 0;
  void OpenGameTab(const std::string& strURL) override { opened.push_back(strURL); }
  void PresentMainWindow() override { ++presented; }
};

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

}  // namespace
}  // namespace orvane::win32
