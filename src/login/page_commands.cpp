#include "login/page_commands.h"

#include <cstddef>

namespace orvane {
namespace {

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
    if (c != prefix[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::string_view> SecondField(std::string_view url) {
  const std::size_t first = url.find('|');
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view rest = url.substr(first + 1);
  return rest.substr(0, rest.find('|'));
}

bool IsGameAddress(std::string_view address) {
  std::string_view rest;
  if (StartsWithIgnoringCase(address, "http://")) {
    rest = address.substr(7);
  } else if (StartsWithIgnoringCase(address, "https://")) {
    rest = address.substr(8);
  } else {
    return false;
  }
  // The address must name a host: the authority (up to the path, query or fragment; a
  // backslash ends it too, as browsers read it) is not empty after any user information
  // ("user@") and before any port (":80").
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
  const std::size_t at = authority.rfind('@');
  const std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  if (host.empty() || host.front() == ':') {
    return false;
  }
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F) {
      return false;
    }
  }
  return true;
}

PageCommand ParsePageCommand(std::string_view url) {
  if (Contains(url, kExitGameCommand)) {
    return {PageCommandKind::kExitGame, std::nullopt};
  }
  if (Contains(url, kMinimizeCommand)) {
    return {PageCommandKind::kMinimize, std::nullopt};
  }
  if (Contains(url, kLoadGameCommand)) {
    PageCommand command{PageCommandKind::kLoadGame, std::nullopt};
    if (const std::optional<std::string_view> field = SecondField(url);
        field && IsGameAddress(*field)) {
      command.game_address = std::string(*field);
    }
    return command;
  }
  return {};
}

}  // namespace orvane
