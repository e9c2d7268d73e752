#include "login/page_commands.h"

#include <cstddef>

#include "base/shown_text.h"

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

// The characters that reorder text when it is shown (marks, embeddings, overrides and
// isolates of the bidirectional algorithm), as UTF-8.
constexpr std::string_view kDirectionControls[] = {
    "\xD8\x9C",                      // U+061C
    "\xE2\x80\x8E", "\xE2\x80\x8F",  // U+200E, U+200F
    "\xE2\x80\xAA", "\xE2\x80\xAB", "\xE2\x80\xAC", "\xE2\x80\xAD", "\xE2\x80\xAE",  // U+202A..E
    "\xE2\x81\xA6", "\xE2\x81\xA7", "\xE2\x81\xA8", "\xE2\x81\xA9",                  // U+2066..9
};

bool HasDirectionControl(std::string_view text) {
  for (const std::string_view control : kDirectionControls) {
    if (Contains(text, control)) {
      return true;
    }
  }
  return false;
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
  // An address that is no well-formed text was damaged or made up; one with characters
  // that reorder it when shown would read as another address in its tab.
  return IsShowableUtf8(address) && !HasDirectionControl(address);
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
