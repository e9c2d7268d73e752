#pragma once

#include <string>
#include <string_view>

namespace orvane {

// How the platform writes paths of programs.
enum class ProgramPathStyle {
  kWindows,  // "\" separators, drive roots such as "C:\", programs end in ".exe"
  kPosix,    // "/" separators, the root "/", programs have no extension
};

// The folder of the program at `program_path`, without a final separator except for a
// root ("C:\", "/").
std::string ProgramFolder(std::string_view program_path, ProgramPathStyle style);

// The one argument the updater is started with: the program folder, "|", and the full
// path of the program, so that the updater knows where to install and what to restart.
// Windows: "<folder>|<folder>\<name>.exe", the name being the file name without its
// extension; Linux: "<folder>|<folder>/<name>". A root folder is not given a second
// separator ("C:\|C:\Orvane.exe").
std::string UpdaterArgument(std::string_view program_path, ProgramPathStyle style);

}  // namespace orvane
