#include "updater/updater_flow.h"

#include <optional>

namespace orvane {

UpdaterFlow::UpdaterFlow(const UpdaterSettings& settings, const UpdaterPorts& ports)
    : settings_(settings),
      ports_(ports),
      download_(ports.http, ports.output_files, ports.pump, this) {}

void UpdaterFlow::Cancel() {
  cancelled_ = true;
  download_.StopDownLoad();
}

void UpdaterFlow::QueryFileInfo(std::int32_t dwFileTotalLen) {
  total_ = dwFileTotalLen;
  ports_.view.SetProgress(0, total_);
}

void UpdaterFlow::Loading(std::int32_t dwRecivedLen) {
  ports_.view.SetProgress(dwRecivedLen, total_);
}

UpdateResult UpdaterFlow::Fail(std::string_view message) {
  ports_.view.EnableCancel(false);
  ports_.view.SetStatus(message);
  ports_.view.ShowError(message);
  // The player is never left without a client: the old one, untouched, starts again.
  ports_.starter.Start(settings_.target.program);
  return UpdateResult::kFailed;
}

UpdateResult UpdaterFlow::Refuse(std::string_view message) {
  ports_.files.Remove(NewFilePath());
  return Fail(message);
}

const ReleaseFile* UpdaterFlow::FetchManifest(ReleaseManifest& manifest, std::string& problem) {
  const std::string path = ManifestPath();
  const bool fetched = download_.DownLoadFile(settings_.manifest_url, path, false, false);
  std::optional<std::string> text;
  if (fetched) {
    text = ports_.files.ReadSmallFile(path, kMaxManifestBytes);
  }
  ports_.files.Remove(path);
  if (!text) {
    problem = updater_text::kNoManifest;
    return nullptr;
  }
  ManifestParse parse = ParseReleaseManifest(*text);
  if (!parse.manifest) {
    // A signature line that is missing or unreadable is a signature that fails.
    problem = parse.error == ManifestError::kNoSignature ||
                      parse.error == ManifestError::kBadSignatureText
                  ? updater_text::kBadSignature
                  : updater_text::kBadManifest;
    return nullptr;
  }
  if (!VerifyReleaseManifest(*parse.manifest, settings_.public_key, ports_.crypto)) {
    problem = updater_text::kBadSignature;
    return nullptr;
  }
  manifest = std::move(*parse.manifest);
  const ReleaseFile* file = manifest.FileFor(settings_.platform);
  if (file == nullptr) {
    problem = updater_text::kNoPlatform;
    return nullptr;
  }
  // Only a later release is installed: the same one again would gain nothing, and an
  // older one is a signed manifest replayed to take the player back.
  if (!IsNewerVersion(manifest.version, settings_.running_version)) {
    problem = updater_text::kSameVersion;
    return nullptr;
  }
  return file;
}

UpdateResult UpdaterFlow::Run() {
  const std::string& program = settings_.target.program;
  ports_.view.EnableCancel(true);
  ports_.view.SetProgress(0, 0);

  ports_.view.SetStatus(updater_text::kWaiting);
  if (!ports_.waiter.WaitUntilNotRunning(program, settings_.wait_seconds)) {
    // Starting a second copy next to the running one would help nobody.
    ports_.view.EnableCancel(false);
    ports_.view.SetStatus(updater_text::kStillRunning);
    ports_.view.ShowError(updater_text::kStillRunning);
    return UpdateResult::kClientStillRuns;
  }
  if (cancelled_) {
    return Fail(updater_text::kCancelled);
  }
  // A system-wide install is found before anything is downloaded.
  if (settings_.system_package || !ports_.files.CanWriteFolder(settings_.target.folder)) {
    return Fail(updater_text::kNotWritable);
  }

  ports_.view.SetStatus(updater_text::kChecking);
  ReleaseManifest manifest;
  std::string problem;
  const ReleaseFile* file = FetchManifest(manifest, problem);
  if (cancelled_) {
    return Fail(updater_text::kCancelled);
  }
  if (file == nullptr) {
    return Fail(problem);
  }

  ports_.view.SetStatus(updater_text::kDownloading);
  const bool downloaded =
      download_.DownLoadFile(settings_.static_server + file->path, NewFilePath(), false, true);
  if (cancelled_) {
    return Refuse(updater_text::kCancelled);
  }
  if (!downloaded) {
    return Refuse(updater_text::kDownloadFailed);
  }

  ports_.view.EnableCancel(false);
  ports_.view.SetStatus(updater_text::kVerifying);
  const std::unique_ptr<Sha256Stream> hash = ports_.crypto.NewSha256();
  std::uint64_t size = 0;
  Sha256Digest digest{};
  if (!hash || !ports_.files.Measure(NewFilePath(), *hash, size) || !hash->Finish(digest) ||
      size != file->size || digest != file->sha256) {
    return Refuse(updater_text::kBadFile);
  }

  ports_.view.SetStatus(updater_text::kInstalling);
  if (!ports_.files.Replace(program, NewFilePath(), OldFilePath())) {
    return Refuse(updater_text::kReplaceFailed);
  }

  ports_.view.SetStatus(updater_text::kStarting);
  if (!ports_.starter.Start(program)) {
    ports_.view.ShowError(updater_text::kStartFailed);
    return UpdateResult::kFailed;
  }
  return UpdateResult::kInstalled;
}

}  // namespace orvane
