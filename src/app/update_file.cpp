#include "app/update_file.h"

#include <algorithm>
#include <cstddef>

namespace orvane {
namespace {

constexpr std::string_view kVersionKeyword = "version";
// "version" and one separator come before the value.
constexpr std::size_t kCharactersBeforeValue = 8;

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset of the character that follows the first `count` characters.
std::size_t OffsetAfterCharacters(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuationByte(text[i])) {
      if (seen == count) {
        return i;
      }
      ++seen;
    }
  }
  return text.size();
}

}  // namespace

bool IsVersionLine(std::string_view line) {
  std::string lowered(line);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
  return lowered.find(kVersionKeyword) != std::string::npos;
}

std::string VersionValue(std::string_view line) {
  std::string_view value = line.substr(OffsetAfterCharacters(line, kCharactersBeforeValue));
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = value.find_last_not_of(' ');
  return std::string(value.substr(first, last - first + 1));
}

std::optional<std::string> ReadPublishedVersion(TextLineSource& lines) {
  while (std::optional<std::string> line = lines.ReadLine()) {
    if (IsVersionLine(*line)) {
      return VersionValue(*line);
    }
  }
  return std::nullopt;
}

bool IsNewVersion(std::string_view published, std::string_view own) {
  return published != own;
}

}  // namespace orvane
