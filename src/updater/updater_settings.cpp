#include "updater/updater_settings.h"

#include <cstdlib>

#include "base/product.h"
#include "base/publisher.h"
#include "orvane/release_key_config.h"

namespace orvane {

int WaitSecondsFor(const char* value) {
  constexpr int kDefault = 60;
  if (value == nullptr || *value == '\0') {
    return kDefault;
  }
  int seconds = 0;
  for (const char* c = value; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9' || seconds > kDefault) {
      return kDefault;
    }
    seconds = seconds * 10 + (*c - '0');
  }
  return seconds >= 1 && seconds <= kDefault ? seconds : kDefault;
}

std::optional<UpdaterSettings> MakeUpdaterSettings(const UpdaterTarget& target,
                                                   std::string_view platform) {
  const std::optional<P256PublicKey> key = ParsePublicKey(ORVANE_RELEASE_PUBLIC_KEY);
  if (!key) {
    return std::nullopt;
  }
  UpdaterSettings settings;
  settings.target = target;
  settings.static_server = CurrentPublisherBases().static_server;
  settings.manifest_url = settings.static_server + std::string(kReleaseManifestPath);
  settings.platform = platform;
  settings.system_package =
      IsSystemPackageFolder(target.folder, platform == kPlatformWin32 ? ProgramPathStyle::kWindows
                                                                      : ProgramPathStyle::kPosix);
  settings.running_version = kVersionText;
  settings.public_key = *key;
  settings.wait_seconds = WaitSecondsFor(std::getenv(std::string(kWaitSecondsVariable).c_str()));
  return settings;
}

}  // namespace orvane
