#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/line_reader.h"

namespace orvane {

// True for the line that carries the published version: its lower-cased text contains
// "version" anywhere.
bool IsVersionLine(std::string_view line);

// The value of a version line: the text from its ninth character on (after "version"
// and one separator), without leading and trailing spaces. Characters are counted as
// UTF-8 sequences; a line of eight characters or fewer has the empty value.
std::string VersionValue(std::string_view line);

// Reads lines up to the first version line and returns its value; lines after it are
// never read. Nothing when the text has no version line.
std::optional<std::string> ReadPublishedVersion(TextLineSource& lines);

// The published version differs from ours: compared character by character, letter
// case included. Any difference counts, also a lower published version.
bool IsNewVersion(std::string_view published, std::string_view own);

}  // namespace orvane
