#include "updater/updater_target.h"

#include <algorithm>
#include <vector>

namespace orvane {
namespace {

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
  });
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct SplitPath {
  std::string root;                   // "/" or "C:\"
  std::vector<std::string> segments;  // never empty, never "." or ".."
};

std::optional<SplitPath> Split(std::string_view path, ProgramPathStyle style) {
  SplitPath out;
  std::string_view rest;
  if (style == ProgramPathStyle::kPosix) {
    if (path.empty() || path.front() != '/') {
      return std::nullopt;
    }
    out.root = "/";
    rest = path.substr(1);
  } else {
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    if (!drive) {
      return std::nullopt;  // relative, drive-relative ("C:x") and network paths
    }
    out.root = {static_cast<char>(path[0] >= 'a' ? path[0] - 'a' + 'A' : path[0]), ':', '\\'};
    rest = path.substr(3);
  }
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.size();
    for (std::size_t i = start; i < rest.size(); ++i) {
      if (rest[i] == '/' || (style == ProgramPathStyle::kWindows && rest[i] == '\\')) {
        end = i;
        break;
      }
    }
    const std::string_view segment = rest.substr(start, end - start);
    if (segment == "..") {
      return std::nullopt;
    }
    if (!segment.empty() && segment != ".") {
      if (style == ProgramPathStyle::kWindows &&
          (segment.find_first_of(":*?\"<>|") != std::string_view::npos || segment.back() == '.' ||
           segment.back() == ' ')) {
        // Streams, wildcards and names Windows would silently trim.
        return std::nullopt;
      }
      out.segments.emplace_back(segment);
    }
    start = end + 1;
  }
  return out;
}

std::string Join(const std::string& root, const std::vector<std::string>& segments,
                 char separator) {
  std::string path = root;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) {
      path.push_back(separator);
    }
    path += segments[i];
  }
  return path;
}

bool SameSegment(const std::string& a, const std::string& b, ProgramPathStyle style) {
  if (style == ProgramPathStyle::kPosix) {
    return a == b;
  }
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool IsAtOrBelow(std::string_view folder, std::string_view top) {
  return folder.substr(0, top.size()) == top &&
         (folder.size() == top.size() || folder[top.size()] == '/');
}

}  // namespace

bool IsSystemPackageFolder(std::string_view folder, ProgramPathStyle style) {
  if (style != ProgramPathStyle::kPosix) {
    return false;
  }
  if (IsAtOrBelow(folder, "/usr")) {
    return !IsAtOrBelow(folder, "/usr/local");
  }
  return IsAtOrBelow(folder, "/bin") || IsAtOrBelow(folder, "/sbin");
}

std::optional<UpdaterTarget> ParseUpdaterTarget(std::span<const std::string> arguments,
                                                ProgramPathStyle style) {
  if (arguments.size() != 1) {
    return std::nullopt;
  }
  const std::string& argument = arguments.front();
  if (HasControlCharacter(argument)) {
    return std::nullopt;
  }
  const std::size_t bar = argument.find('|');
  if (bar == std::string::npos || argument.find('|', bar + 1) != std::string::npos) {
    return std::nullopt;
  }
  const auto folder = Split(std::string_view(argument).substr(0, bar), style);
  const auto program = Split(std::string_view(argument).substr(bar + 1), style);
  if (!folder || !program || folder->root != program->root ||
      program->segments.size() != folder->segments.size() + 1) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < folder->segments.size(); ++i) {
    if (!SameSegment(folder->segments[i], program->segments[i], style)) {
      return std::nullopt;
    }
  }
  const char separator = style == ProgramPathStyle::kWindows ? '\\' : '/';
  UpdaterTarget target;
  target.folder = Join(folder->root, folder->segments, separator);
  // The program as the folder spells it, so that later comparisons see one spelling.
  target.program = target.folder;
  if (!folder->segments.empty()) {
    target.program.push_back(separator);
  }
  target.program += program->segments.back();
  return target;
}

}  // namespace orvane
