#include "app/load_frm.h"

#include <utility>

#include "base/product.h"

namespace orvane {

LoadFrm::LoadFrm(LoadFrmOwner& owner, const LoadFrmPorts& ports, LoadFrmSettings settings)
    : owner_(owner), ports_(ports), settings_(std::move(settings)) {}

LoadFrm::~LoadFrm() = default;

bool LoadFrm::Form_Initialize() {
  if (!ports_.connectivity.IsConnected()) {
    ports_.dialogs.ShowMessageBox(
        {kNoConnectionMessage, kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk});
    owner_.EndProgram();
    return false;
  }
  const UpdateCheckOutcome outcome =
      RunUpdateCheck(UpdateCheckForm::kStartUp, settings_.update, ports_.update);
  // Yes to the update ends the program inside the check, whether or not the updater could
  // be started.
  if (outcome == UpdateCheckOutcome::kUpdaterStarted ||
      outcome == UpdateCheckOutcome::kUpdaterNotWritten || owner_.Ended()) {
    return false;
  }
  return true;
}

bool LoadFrm::Form_Load(std::string_view command_line) {
  if (command_line == kWebArgument) {
    ports_.addresses.OpenAddress(settings_.home_page);
    owner_.EndProgram();
    return false;
  }
  view_ = owner_.CreateSplashView(*this);
  if (view_) {
    view_->PresentPicture(kSplashPictureId);
  }
  Show();
  owner_.LoadLoginScreen();
  return !owner_.Ended();
}

void LoadFrm::Show() {
  if (view_ && !shown_ && !owner_.Ended()) {
    shown_ = true;
    view_->ShowCentred();
  }
}

void LoadFrm::Unload() {
  view_.reset();
}

void LoadFrm::CloseRequested() {
  // While the splash is up the login screen is still hidden: closing the only window the
  // user can see must not leave the program running unseen.
  owner_.EndProgram();
}

std::string_view ArgumentsOfCommandLine(std::string_view command_line) {
  std::size_t i = 0;
  if (!command_line.empty() && command_line.front() == '"') {
    const std::size_t close = command_line.find('"', 1);
    i = close == std::string_view::npos ? command_line.size() : close + 1;
  } else {
    while (i < command_line.size() && command_line[i] != ' ' && command_line[i] != '\t') {
      ++i;
    }
  }
  while (i < command_line.size() && (command_line[i] == ' ' || command_line[i] == '\t')) {
    ++i;
  }
  return command_line.substr(i);
}

}  // namespace orvane
