#pragma once

#include <string_view>

#include "base/product_version.h"

namespace orvane {

inline constexpr std::string_view kProductName = ORVANE_PRODUCT_NAME;
inline constexpr std::string_view kGameName = ORVANE_GAME_NAME;
// The version the update check compares with the publisher's update file.
inline constexpr std::string_view kVersionText = ORVANE_VERSION_TEXT;
inline constexpr std::string_view kFileVersionText = ORVANE_FILE_VERSION_TEXT;
// Title of every message box the client shows.
inline constexpr std::string_view kMessageTitle = "提示";
// Window titles and the tray tip.
inline constexpr std::string_view kClientTitle = ORVANE_PRODUCT_NAME "客户端";

}  // namespace orvane
