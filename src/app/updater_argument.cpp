#include "app/updater_argument.h"

#include <cstddef>

namespace orvane {
namespace {

bool IsSeparator(char c, ProgramPathStyle style) {
  // Windows accepts either slash in a path; the program's own path normally has "\".
  return style == ProgramPathStyle::kWindows ? (c == '\\' || c == '/') : c == '/';
}

char Separator(ProgramPathStyle style) {
  return style == ProgramPathStyle::kWindows ? '\\' : '/';
}

std::size_t LastSeparator(std::string_view path, ProgramPathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1], style)) {
      return i - 1;
    }
  }
  return std::string_view::npos;
}

// "C:\" and "/" keep their separator: without it they would name something else.
bool IsRoot(std::string_view folder_with_separator, ProgramPathStyle style) {
  if (style == ProgramPathStyle::kPosix) {
    return folder_with_separator.size() == 1;
  }
  return folder_with_separator.size() == 3 && folder_with_separator[1] == ':';
}

std::string FileName(std::string_view program_path, ProgramPathStyle style) {
  const std::size_t separator = LastSeparator(program_path, style);
  return std::string(separator == std::string_view::npos ? program_path
                                                         : program_path.substr(separator + 1));
}

}  // namespace

std::string ProgramFolder(std::string_view program_path, ProgramPathStyle style) {
  const std::size_t separator = LastSeparator(program_path, style);
  if (separator == std::string_view::npos) {
    return {};
  }
  const std::string_view with_separator = program_path.substr(0, separator + 1);
  if (IsRoot(with_separator, style)) {
    return std::string(with_separator);
  }
  return std::string(program_path.substr(0, separator));
}

std::string UpdaterArgument(std::string_view program_path, ProgramPathStyle style) {
  const std::string folder = ProgramFolder(program_path, style);
  std::string name = FileName(program_path, style);
  if (style == ProgramPathStyle::kWindows) {
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
      name.erase(dot);
    }
    name += ".exe";
  }
  std::string full_path = folder;
  if (full_path.empty() || !IsSeparator(full_path.back(), style)) {
    full_path.push_back(Separator(style));
  }
  full_path += name;
  return folder + "|" + full_path;
}

}  // namespace orvane
