// Update.exe end to end under Wine: the real program against the local publisher over
// HTTP (WinINet), with BCrypt checking the manifest, replacing a stand-in client (a tiny
// program that records every start) in a real folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/download_file.h"
#include "app/update_check.h"
#include "app/updater_argument.h"
#include "app/win32/resource_file_writer.h"
#include "app/win32/shell_launcher.h"
#include "app/win32/win32_event_pump.h"
#include "app/win32/win32_files.h"
#include "app/win32/wininet_http_session.h"
#include "base/resource_ids.h"
#include "support/publisher_process.h"
#include "updater/release_crypto.h"
#include "updater/release_manifest.h"
#include "updater/updater_flow.h"

namespace orvane {
namespace {

std::wstring Wide(const std::string& utf8) {
  const int n =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string ReadAll(const std::string& path) {
  HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return {};
  }
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  ::CloseHandle(file);
  return bytes;
}

void WriteAll(const std::string& path, const std::string& bytes) {
  HANDLE file =
      ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

bool Exists(const std::string& path) {
  return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  const std::string text = ReadAll(path);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string HttpGet(const std::string& url) {
  win32::WinInetHttpClient client;
  auto session = client.OpenSession();
  auto response = session ? session->OpenUrl(url) : nullptr;
  if (!response || response->StatusCode() != 200) {
    throw std::runtime_error("request failed: " + url);
  }
  std::string body;
  char buffer[4096];
  while (auto got = response->Read(buffer)) {
    if (*got == 0) {
      break;
    }
    body.append(buffer, *got);
  }
  return body;
}

// Whether this system's BCrypt verifies ECDSA P-256 at all (RFC 6979 A.2.5, "sample").
bool BcryptVerifiesEcdsa() {
  const auto key = ParsePublicKey(
      "0460FED4BA255A9D31C961EB74C6356D68C049B8923B61FA6CE669622E60F29FB6"
      "7903FE1008B8BC99A41AE9E95628BC64F2F1B20C2D7E9F5177A3C294D4462299");
  P256Signature signature{};
  const char* hex =
      "EFD48B2AACB6A8FD1140DD9CD45E81D69D2C877B56AAF991C34D0EA84EAF3716"
      "F7CB1C942D657C41D436C7A1B6E29F65F3E900DBB9AFF4064DC4AB2F843ACDA8";
  for (std::size_t i = 0; i < signature.size(); ++i) {
    signature[i] = static_cast<std::uint8_t>(std::stoi(std::string(hex + 2 * i, 2), nullptr, 16));
  }
  const std::string message = "sample";
  return MakePlatformReleaseCrypto()->VerifyP256Sha256(
      *key, {reinterpret_cast<const std::uint8_t*>(message.data()), message.size()}, signature);
}

class UpdaterWineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    try {
      publisher_ = test::PublisherProcess::Start().release();
    } catch (const std::exception& error) {
      problem_ = error.what();
    }
  }
  static void TearDownTestSuite() {
    delete publisher_;
    publisher_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(publisher_, nullptr) << problem_;
    // On the Linux side's /tmp (Wine's Z: drive), where the publisher can read the release.
    static int counter = 0;
    root_ = "Z:\\tmp\\orvane-updater-wine-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    folder_ = root_ + "\\client";
    ASSERT_TRUE(::CreateDirectoryW(Wide(root_).c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(Wide(folder_).c_str(), nullptr));
    const std::string standin = ReadAll(ORVANE_STANDIN_EXE);
    ASSERT_FALSE(standin.empty());
    old_bytes_ = standin + "\nORVANE-STANDIN:old\n";
    new_bytes_ = standin + "\nORVANE-STANDIN:new\n" + std::string(100 * 1024, 'n');
    WriteAll(program(), old_bytes_);
    WriteAll(root_ + "\\release.exe", new_bytes_);
    HttpGet(publisher_->Url("/_control/reset"));
    HttpGet(publisher_->Url("/_control/release?version=1.2.0&fault=none&win32=" + root_ +
                            "\\release.exe"));
  }

  void TearDown() override {
    if (publisher_ != nullptr) {
      HttpGet(publisher_->Url("/_control/reset"));
    }
    for (const char* name :
         {"\\client\\Orvane.exe", "\\client\\Orvane.exe.old", "\\client\\Orvane.exe.new",
          "\\client\\starts.log", "\\release.exe", "\\messages.log"}) {
      ::DeleteFileW(Wide(root_ + name).c_str());
    }
    ::RemoveDirectoryW(Wide(folder_).c_str());
    ::RemoveDirectoryW(Wide(root_).c_str());
  }

  std::string program() const { return folder_ + "\\Orvane.exe"; }
  std::string messages() const { return root_ + "\\messages.log"; }
  std::string starts() const { return folder_ + "\\starts.log"; }

  // Runs Update.exe with the command-line tail `tail` and returns its exit code.
  DWORD RunUpdater(const std::string& tail) {
    ::SetEnvironmentVariableW(L"ORVANE_PUBLISHER", Wide(publisher_->BaseUrl()).c_str());
    ::SetEnvironmentVariableW(L"ORVANE_UPDATER_MESSAGE_LOG", Wide(messages()).c_str());
    std::wstring command = L"\"" + Wide(ORVANE_UPDATER_EXE) + L"\"";
    if (!tail.empty()) {
      command += L" " + Wide(tail);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info)) {
      ADD_FAILURE() << "cannot start Update.exe";
      return 999;
    }
    ::WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(info.hProcess, &code);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    ::SetEnvironmentVariableW(L"ORVANE_PUBLISHER", nullptr);
    ::SetEnvironmentVariableW(L"ORVANE_UPDATER_MESSAGE_LOG", nullptr);
    return code;
  }

  std::vector<std::string> WaitForStarts(std::size_t count) {
    for (int i = 0; i < 600 && Lines(starts()).size() < count; ++i) {
      ::Sleep(100);
    }
    return Lines(starts());
  }

  void ExpectOldClientRestarted(std::string_view message) {
    EXPECT_EQ(ReadAll(program()), old_bytes_);
    EXPECT_FALSE(Exists(program() + ".new"));
    EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{"old"});
    EXPECT_EQ(Lines(messages()), std::vector<std::string>{std::string(message)});
  }

  std::string Argument() const { return folder_ + "|" + program(); }

  static test::PublisherProcess* publisher_;
  static std::string problem_;
  std::string root_;
  std::string folder_;
  std::string old_bytes_;
  std::string new_bytes_;
};

test::PublisherProcess* UpdaterWineTest::publisher_ = nullptr;
std::string UpdaterWineTest::problem_;

TEST_F(UpdaterWineTest, InstallsTheSignedReleaseOrRefusesWhenBcryptCannotVerify) {
  const DWORD code = RunUpdater(Argument());
  if (!BcryptVerifiesEcdsa()) {
    // The updater must then refuse, never install unverified.
    EXPECT_EQ(code, 1u);
    ExpectOldClientRestarted(updater_text::kBadSignature);
    GTEST_SKIP() << "this Wine's bcrypt.dll does not verify ECDSA P-256 signatures; "
                    "Update.exe refused the release, as it must";
  }
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadAll(program()), new_bytes_);
  EXPECT_EQ(ReadAll(program() + ".old"), old_bytes_);
  EXPECT_FALSE(Exists(program() + ".new"));
  EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{"new"});
  EXPECT_FALSE(Exists(messages()));
}

TEST_F(UpdaterWineTest, RefusalsLeaveTheOldClientAndStartItAgain) {
  const struct {
    const char* fault;
    std::string_view message;
  } cases[] = {
      {"bad-signature", updater_text::kBadSignature}, {"wrong-hash", updater_text::kBadFile},
      {"wrong-size", updater_text::kBadFile},         {"truncated", updater_text::kDownloadFailed},
      {"404", updater_text::kDownloadFailed},
  };
  const bool verifies = BcryptVerifiesEcdsa();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    HttpGet(publisher_->Url(std::string("/_control/release?fault=") + c.fault));
    ::DeleteFileW(Wide(starts()).c_str());
    ::DeleteFileW(Wide(messages()).c_str());
    EXPECT_EQ(RunUpdater(Argument()), 1u);
    // Without ECDSA in BCrypt every manifest is refused at its signature.
    ExpectOldClientRestarted(verifies ? c.message : updater_text::kBadSignature);
  }
}

TEST_F(UpdaterWineTest, BadArgumentsTouchNothing) {
  const std::vector<std::string> cases = {
      "",
      folder_ + "\\Orvane.exe",
      folder_ + "|" + root_ + "\\release.exe",
      folder_ + "|" + folder_ + "\\missing.exe",
      "\"" + Argument() + "\" \"" + Argument() + "\"",
      folder_ + "|" + folder_ + "\\..\\client\\Orvane.exe",
  };
  for (const std::string& tail : cases) {
    SCOPED_TRACE(tail);
    ::DeleteFileW(Wide(messages()).c_str());
    EXPECT_EQ(RunUpdater(tail), 2u);
    EXPECT_EQ(Lines(messages()), std::vector<std::string>{std::string(updater_text::kBadArgument)});
  }
  EXPECT_EQ(ReadAll(program()), old_bytes_);
  EXPECT_FALSE(Exists(starts()));
  EXPECT_FALSE(Exists(program() + ".old"));
}

TEST_F(UpdaterWineTest, OrvaneExeCarriesUpdateExe) {
  const HMODULE client = ::LoadLibraryExW(ORVANE_CLIENT_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(client, nullptr);
  const HRSRC found = ::FindResourceW(client, MAKEINTRESOURCEW(ORVANE_UPDATE_PROGRAM), L"UPDATE");
  ASSERT_NE(found, nullptr);
  const auto* data = static_cast<const char*>(::LockResource(::LoadResource(client, found)));
  const std::string carried(data, ::SizeofResource(client, found));
  ::FreeLibrary(client);
  EXPECT_EQ(carried, ReadAll(ORVANE_UPDATER_EXE));
}

class YesAndLeave final : public MessageBoxes, public UpdateExit {
 public:
  MessageAnswer ShowMessageBox(const MessageBoxRequest&) override { return MessageAnswer::kYes; }
  void EndProgram() override { ended = true; }
  void SetExit(bool) override {}
  void CloseMainWindow() override {}
  bool ended = false;
};

TEST_F(UpdaterWineTest, TheUpdateCheckStartsTheCarriedUpdaterWithTheClientsArgument) {
  const std::string temp = root_ + "\\temp\\";
  ASSERT_TRUE(::CreateDirectoryW(Wide(temp).c_str(), nullptr));
  ::SetEnvironmentVariableW(L"ORVANE_PUBLISHER", Wide(publisher_->BaseUrl()).c_str());
  ::SetEnvironmentVariableW(L"ORVANE_UPDATER_MESSAGE_LOG", Wide(messages()).c_str());
  win32::WinInetHttpClient http;
  win32::Win32OutputFiles output;
  win32::Win32EventPump pump;
  CNxDownLoadFile download(http, output, pump);
  win32::Win32UpdateFiles files;
  win32::ResourceFileWriter writer;
  win32::ShellLauncher launcher;
  YesAndLeave player;
  UpdateCheckSettings settings;
  settings.temp_folder = temp;
  settings.update_file_url = publisher_->Url("/_test/download?body=version%3D1.2.0%0D%0A");
  settings.version_text = "1.1.0";
  settings.updater_argument = UpdaterArgument(program(), ProgramPathStyle::kWindows);
  const UpdateCheckOutcome outcome = RunUpdateCheck(
      UpdateCheckForm::kStartUp, settings, {download, files, player, writer, launcher, player});
  EXPECT_EQ(outcome, UpdateCheckOutcome::kUpdaterStarted);
  EXPECT_TRUE(player.ended);
  EXPECT_EQ(ReadAll(temp + "Update.exe"), ReadAll(ORVANE_UPDATER_EXE));
  // The updater found the client where the argument said: it replaced it (or, without
  // ECDSA in this BCrypt, refused and started the old one again).
  const bool verifies = BcryptVerifiesEcdsa();
  EXPECT_EQ(WaitForStarts(1), std::vector<std::string>{verifies ? "new" : "old"});
  ::SetEnvironmentVariableW(L"ORVANE_PUBLISHER", nullptr);
  ::SetEnvironmentVariableW(L"ORVANE_UPDATER_MESSAGE_LOG", nullptr);
  // Update.exe may still be ending; give it a moment to let go of its file.
  for (int i = 0; i < 100 && !::DeleteFileW(Wide(temp + "Update.exe").c_str()); ++i) {
    ::Sleep(100);
  }
  ::DeleteFileW(Wide(temp + "update.txt").c_str());
  ::RemoveDirectoryW(Wide(temp).c_str());
}

}  // namespace
}  // namespace orvane
