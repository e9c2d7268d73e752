#include "login/login_controller.h"

#include "base/product.h"
#include "login/page_commands.h"

namespace orvane {

void LoginController::BeforeNavigate2(std::string_view URL, bool& Cancel) {
  const PageCommand command = ParsePageCommand(URL);
  switch (command.kind) {
    case PageCommandKind::kNone:
      return;
    case PageCommandKind::kExitGame:
      Cancel = true;
      view_.CloseLoginScreen();
      return;
    case PageCommandKind::kMinimize:
      Cancel = true;
      view_.MinimizeLoginScreen();
      return;
    case PageCommandKind::kLoadGame:
      // The "app://" address itself is never a page to show.
      Cancel = true;
      if (command.game_address) {
        view_.CloseLoginScreen();
        view_.OpenGame(*command.game_address);
      }
      return;
  }
}

DocumentCompleteOutcome LoginController::DocumentComplete(const CompletedDocument& document) {
  return DocumentComplete(document.event_url, document.document_url,
                          !document.root_inner_html.empty());
}

DocumentCompleteOutcome LoginController::DocumentComplete(std::string_view event_url,
                                                          std::string_view document_url,
                                                          bool has_content) {
  if (!has_content) {
    dialogs_.ShowMessageBox(
        {kNoConnectionMessage, kMessageTitle, MessageIcon::kWarning, MessageButtons::kOk});
    view_.EndProgram();
    return DocumentCompleteOutcome::kEmptyPage;
  }
  // Only the top-level document's own completion names its address; a frame's names
  // the frame's.
  if (event_url.find(document_url) == std::string_view::npos) {
    return DocumentCompleteOutcome::kIgnored;
  }
  view_.ShowBackgroundWindow();
  view_.ShowLoginWindow();
  view_.UnloadSplash();
  return DocumentCompleteOutcome::kShown;
}

}  // namespace orvane
