#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/download_file.h"
#include "app/line_reader.h"
#include "app/message_box.h"
#include "base/resource_ids.h"
#include "base/resources.h"

namespace orvane {

// The files the update check reads.
class UpdateFiles {
 public:
  virtual ~UpdateFiles() = default;
  // True when a file exists at `path`, hidden files included.
  virtual bool Exists(const std::string& path) = 0;
  // The file's lines as the update file writes them; nothing if it cannot be opened.
  virtual std::unique_ptr<TextLineSource> OpenLines(const std::string& path) = 0;
};

// Copies a custom resource of the program into a file (`SaveResourceToFile`).
class ResourceWriter {
 public:
  virtual ~ResourceWriter() = default;
  // False when the resource is missing or the file could not be written whole.
  virtual bool SaveResourceToFile(int id, ResourceType type, const std::string& path) = 0;
};

// Starts a program with the shell's "open" verb, no working folder, shown normally.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  virtual bool ShellOpen(const std::string& file, const std::string& parameters) = 0;
};

// How the client leaves once the updater has been started.
class UpdateExit {
 public:
  virtual ~UpdateExit() = default;
  // Start-up: the program ends at once; nothing after this call runs.
  virtual void EndProgram() = 0;
  // Command: the main window's `m_bExit`, which lets it close without asking.
  virtual void SetExit(bool m_bExit) = 0;
  // Command: closes the main window, which ends the program.
  virtual void CloseMainWindow() = 0;
};

enum class UpdateCheckForm {
  kStartUp,  // before the splash window is shown
  kCommand,  // the main window's update command
};

enum class UpdateCheckOutcome {
  kNoFile,             // no update file could be had
  kNoVersionLine,      // the file names no version
  kUpToDate,           // the published version is ours
  kDeclined,           // a new version was offered and the user said No
  kUpdaterStarted,     // the updater was written and started; the client is leaving
  kUpdaterNotWritten,  // the user said Yes but the updater could not be written
};

struct UpdateCheckSettings {
  std::string temp_folder;  // ends in a path separator
  std::string update_file_url;
  std::string version_text;      // this program's version
  std::string updater_argument;  // see UpdaterArgument()
  std::string updater_file_name = "Update.exe";
};

struct UpdateCheckPorts {
  FileDownloader& downloader;
  UpdateFiles& files;
  MessageBoxes& dialogs;
  ResourceWriter& resources;
  ProgramLauncher& launcher;
  UpdateExit& exit;
};

inline constexpr int kUpdaterResourceId = ORVANE_UPDATE_PROGRAM;
inline constexpr std::string_view kUpdateFileName = "update.txt";

// Fetches the publisher's update file into the temporary folder, compares its version
// with ours and, when they differ and the user agrees, writes and starts the updater and
// leaves. The start-up form stays silent unless a new version is found; the command
// form also says when the version is already the newest, and, when no update file could
// be had at all, that the server could not be reached.
UpdateCheckOutcome RunUpdateCheck(UpdateCheckForm form, const UpdateCheckSettings& settings,
                                  const UpdateCheckPorts& ports);

}  // namespace orvane
