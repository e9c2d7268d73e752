#pragma once

#include <string_view>

namespace orvane::gtk {

// The file automated runs name in ORVANE_UPDATER_MESSAGE_LOG to receive the updater's
// messages as lines instead of in dialogs, where a dialog would wait for nobody. It only
// changes where a message goes, never what the updater decides.
//
// Appends `text` and a line end and returns true only when the variable names an
// absolute path of a regular file that is not a link (created with mode 0600 when
// missing) and the whole line was written. Otherwise the caller shows the message, so
// that no message is ever lost.
bool AppendToMessageLog(std::string_view text);

}  // namespace orvane::gtk
