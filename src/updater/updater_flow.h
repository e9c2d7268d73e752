#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/download_file.h"
#include "updater/release_crypto.h"
#include "updater/release_manifest.h"
#include "updater/updater_ports.h"
#include "updater/updater_target.h"

namespace orvane {

// How an update ended; the updater's exit code is the number.
enum class UpdateResult {
  kInstalled = 0,        // the new client is in place and was started
  kFailed = 1,           // refused, failed or cancelled; the old client was started again
  kBadArgument = 2,      // the command line named nothing the updater may touch
  kClientStillRuns = 3,  // the client did not end in time; nothing was touched
};

struct UpdaterSettings {
  UpdaterTarget target;
  std::string manifest_url;   // the static server's "/gamehome/mirab/release.txt"
  std::string static_server;  // base address the release file paths are appended to
  std::string_view platform;  // kPlatformWin32 or kPlatformLinux
  // The client came with a system package (IsSystemPackageFolder): never replaced here.
  bool system_package = false;
  std::string_view running_version;
  P256PublicKey public_key{};
  int wait_seconds = 60;
};

struct UpdaterPorts {
  HttpClient& http;
  OutputFiles& output_files;
  EventPump& pump;
  UpdaterFiles& files;
  ReleaseCrypto& crypto;
  ProcessWaiter& waiter;
  ProgramStarter& starter;
  UpdaterView& view;
};

// The updater's whole run, step by step: wait for the client to end, check that its
// folder can be written and is not a system package's, fetch and verify the signed manifest,
// download the new client next to the old one, check its size and hash, swap it in, start it. Any
// refusal, failure or cancel is told to the user in one message and the old client is started
// again; nothing unsigned or unchecked is ever put in the client's place.
class UpdaterFlow final : private CNxDownLoadFileEvents {
 public:
  UpdaterFlow(const UpdaterSettings& settings, const UpdaterPorts& ports);

  UpdateResult Run();

  // The "取消" button (and closing the window): stops a running download; the run ends
  // at its next step with the old client started again.
  void Cancel();
  bool Cancelled() const { return cancelled_; }

  // Files next to the client, by name.
  std::string NewFilePath() const { return settings_.target.program + ".new"; }
  std::string OldFilePath() const { return settings_.target.program + ".old"; }
  std::string ManifestPath() const { return settings_.target.program + ".release.txt"; }

 private:
  void QueryFileInfo(std::int32_t dwFileTotalLen) override;
  void Loading(std::int32_t dwRecivedLen) override;

  UpdateResult Fail(std::string_view message);
  UpdateResult Refuse(std::string_view message);
  const ReleaseFile* FetchManifest(ReleaseManifest& manifest, std::string& problem);

  UpdaterSettings settings_;
  UpdaterPorts ports_;
  CNxDownLoadFile download_;
  bool cancelled_ = false;
  std::int64_t total_ = 0;
};

// The texts the updater shows.
namespace updater_text {
inline constexpr std::string_view kWaiting = "正在等待客户端退出…";
inline constexpr std::string_view kChecking = "正在获取新版本信息…";
inline constexpr std::string_view kDownloading = "正在下载新版本客户端…";
inline constexpr std::string_view kVerifying = "正在校验新版本文件…";
inline constexpr std::string_view kInstalling = "正在安装新版本…";
inline constexpr std::string_view kStarting = "更新完成，正在启动客户端…";
inline constexpr std::string_view kStillRunning =
    "客户端在60秒内未能退出，无法更新！请关闭客户端后重新更新。";
inline constexpr std::string_view kNotWritable =
    "客户端所在的目录无法写入，无法自动更新！请按原来的安装方式更新客户端。";
inline constexpr std::string_view kNoManifest = "无法获取新版本信息，请检查网络连接后重试！";
inline constexpr std::string_view kBadManifest = "新版本信息格式错误，已停止更新！";
inline constexpr std::string_view kBadSignature = "新版本信息的数字签名校验失败，已拒绝更新！";
inline constexpr std::string_view kNoPlatform = "新版本没有提供适用于本系统的客户端，已停止更新！";
inline constexpr std::string_view kSameVersion = "当前版本已是最新，无需更新！";
inline constexpr std::string_view kDownloadFailed = "下载新版本客户端失败，请检查网络连接后重试！";
inline constexpr std::string_view kBadFile =
    "下载的客户端文件校验失败（大小或校验值不符），已停止更新！";
inline constexpr std::string_view kReplaceFailed = "替换客户端文件失败，已恢复原来的客户端！";
inline constexpr std::string_view kCancelled = "更新已取消。";
inline constexpr std::string_view kStartFailed = "新版本已安装，但无法启动客户端，请手动启动。";
inline constexpr std::string_view kNoWindow = "无法打开更新窗口，更新已取消。";
inline constexpr std::string_view kNoKey = "更新程序的发布密钥无效，已停止更新！";
inline constexpr std::string_view kBadArgument =
    "更新程序的启动参数无效，无法更新！请从客户端中启动更新。";
}  // namespace updater_text

}  // namespace orvane
