#pragma once

#include <string_view>

namespace orvane {

// The platform message boxes the client shows for its notices and questions.
enum class MessageIcon { kWarning, kQuestion, kInformation };
enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

struct MessageBoxRequest {
  std::string_view text;
  std::string_view title;
  MessageIcon icon;
  MessageButtons buttons;
};

// Shows a modal message box and returns the button the user chose. Closing a Yes/No box
// by other means counts as No.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer ShowMessageBox(const MessageBoxRequest& request) = 0;
};

// The fixed notices of the client.
inline constexpr std::string_view kNoConnectionMessage =
    "未能连接到服务器，请检查网络连接是否正常！";
inline constexpr std::string_view kNewVersionMessage = "发现有新版本，是否现在更新！";
inline constexpr std::string_view kUpToDateMessage = "当前版本已是最新，无需更新！";

}  // namespace orvane
