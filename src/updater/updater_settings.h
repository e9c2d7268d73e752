#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "updater/updater_flow.h"

namespace orvane {

inline constexpr std::string_view kReleaseManifestPath = "/gamehome/mirab/release.txt";
// Automated runs may wait less for the client to end (whole seconds, 1 to 60).
inline constexpr std::string_view kWaitSecondsVariable = "ORVANE_UPDATER_WAIT_SECONDS";

// The settings of a run: the publisher's static server in effect for this process, the
// key built into the program, this build's version and the platform's name. Nothing
// when the built-in key is unusable, in which case nothing may be installed.
std::optional<UpdaterSettings> MakeUpdaterSettings(const UpdaterTarget& target,
                                                   std::string_view platform);

// The wait in seconds a value of kWaitSecondsVariable asks for, 60 for anything else.
int WaitSecondsFor(const char* value);

}  // namespace orvane
