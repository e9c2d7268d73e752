#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/updater_argument.h"

namespace orvane {

// What the updater was asked to update: the client's folder and the client's program
// directly inside it, both absolute and normalised (one separator style, no "." or empty
// segments, no final separator except a root's).
struct UpdaterTarget {
  std::string folder;
  std::string program;
};

// Reads the updater's command line (the arguments after the program's own name). It
// must be exactly one argument "A|B" of printable characters in which B names a file
// directly inside folder A; ".." is refused outright rather than resolved, so what is
// checked is what gets replaced. On Windows the two are compared without regard to case
// and drive roots keep their separator ("C:\|C:\Orvane.exe"). Whether B exists and is
// a regular file is for the caller to ask the file system.
std::optional<UpdaterTarget> ParseUpdaterTarget(std::span<const std::string> arguments,
                                                ProgramPathStyle style);

// Whether a normalised folder is one the system's package manager keeps: on Linux /usr
// and everything below it except /usr/local, and /bin and /sbin. A client there came with
// a system package (/usr/bin/orvane) and is updated by the package manager, never by the
// updater, even where it could write there (run as root): the package manager would
// otherwise record a file that is no longer the one it installed. Windows has none: the
// installer puts the client in the user's own folder.
bool IsSystemPackageFolder(std::string_view folder, ProgramPathStyle style);

}  // namespace orvane
