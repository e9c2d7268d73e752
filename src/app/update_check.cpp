#include "app/update_check.h"

#include <optional>

#include "app/update_file.h"
#include "base/product.h"

namespace orvane {
namespace {

MessageAnswer Tell(MessageBoxes& dialogs, std::string_view text) {
  return dialogs.ShowMessageBox({text, kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk});
}

UpdateCheckOutcome StartUpdater(UpdateCheckForm form, const UpdateCheckSettings& settings,
                                const UpdateCheckPorts& ports) {
  const std::string updater = settings.temp_folder + settings.updater_file_name;
  // A file we could not write is not known to be our updater: never start it.
  const bool written =
      ports.resources.SaveResourceToFile(kUpdaterResourceId, ResourceType::Update, updater);
  if (written) {
    ports.launcher.ShellOpen(updater, settings.updater_argument);
  }
  if (form == UpdateCheckForm::kStartUp) {
    ports.exit.EndProgram();
  } else {
    ports.exit.SetExit(true);
    ports.exit.CloseMainWindow();
  }
  return written ? UpdateCheckOutcome::kUpdaterStarted : UpdateCheckOutcome::kUpdaterNotWritten;
}

}  // namespace

UpdateCheckOutcome RunUpdateCheck(UpdateCheckForm form, const UpdateCheckSettings& settings,
                                  const UpdateCheckPorts& ports) {
  const bool command = form == UpdateCheckForm::kCommand;
  if (settings.temp_folder.empty()) {
    // Without our folder the file would land wherever the working folder happens to be.
    if (command) {
      Tell(ports.dialogs, kNoConnectionMessage);
    }
    return UpdateCheckOutcome::kNoFile;
  }
  const std::string path = settings.temp_folder + std::string(kUpdateFileName);

  // A failed download leaves an earlier file in place; that one is read instead.
  ports.downloader.DownLoadFile(settings.update_file_url, path, true, false);

  std::unique_ptr<TextLineSource> lines;
  if (ports.files.Exists(path)) {
    lines = ports.files.OpenLines(path);
  }
  if (!lines) {
    if (command) {
      // The user asked: staying silent would look as if nothing happened.
      Tell(ports.dialogs, kNoConnectionMessage);
    }
    return UpdateCheckOutcome::kNoFile;
  }
  const std::optional<std::string> published = ReadPublishedVersion(*lines);
  // Closed before anything is shown, so that no dialog keeps the file open.
  lines.reset();
  if (!published) {
    return UpdateCheckOutcome::kNoVersionLine;
  }

  if (!IsNewVersion(*published, settings.version_text)) {
    if (command) {
      Tell(ports.dialogs, kUpToDateMessage);
    }
    return UpdateCheckOutcome::kUpToDate;
  }

  const MessageAnswer answer = ports.dialogs.ShowMessageBox(
      {kNewVersionMessage, kMessageTitle, MessageIcon::kQuestion, MessageButtons::kYesNo});
  if (answer != MessageAnswer::kYes) {
    return UpdateCheckOutcome::kDeclined;
  }
  return StartUpdater(form, settings, ports);
}

}  // namespace orvane
