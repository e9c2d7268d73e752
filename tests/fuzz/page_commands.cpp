// Addresses the login page navigates to: the client's commands and the game-address rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "login/page_commands.h"

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != prefix[i]) {
      return false;
    }
  }
  return true;
}

// What the rule promises of every address it lets through.
void CheckGameAddress(std::string_view address) {
  if (!orvane::IsGameAddress(address)) {
    return;
  }
  const bool https = StartsWithNoCase(address, "https://");
  FUZZ_CHECK(https || StartsWithNoCase(address, "http://"));
  // The address names a host: the authority (up to the path, query or fragment) is not
  // empty after any user information and before any port.
  const std::string_view rest = address.substr(https ? 8 : 7);
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#\\"));
  const std::size_t at = authority.rfind('@');
  const std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
  FUZZ_CHECK(!host.empty() && host.front() != ':');
  for (const char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    FUZZ_CHECK(byte > 0x20 && byte != 0x7F);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);
  CheckGameAddress(url);

  const auto field = orvane::SecondField(url);
  FUZZ_CHECK(field.has_value() == (url.find('|') != std::string_view::npos));
  if (field) {
    FUZZ_CHECK(field->find('|') == std::string_view::npos);
    FUZZ_CHECK(field->data() >= url.data() &&
               field->data() + field->size() <= url.data() + url.size());
    CheckGameAddress(*field);
  }

  const orvane::PageCommand command = orvane::ParsePageCommand(url);
  switch (command.kind) {
    case orvane::PageCommandKind::kNone:
      FUZZ_CHECK(url.find(orvane::kExitGameCommand) == std::string_view::npos);
      FUZZ_CHECK(url.find(orvane::kMinimizeCommand) == std::string_view::npos);
      FUZZ_CHECK(url.find(orvane::kLoadGameCommand) == std::string_view::npos);
      break;
    case orvane::PageCommandKind::kExitGame:
      FUZZ_CHECK(url.find(orvane::kExitGameCommand) != std::string_view::npos);
      break;
    case orvane::PageCommandKind::kMinimize:
      FUZZ_CHECK(url.find(orvane::kExitGameCommand) == std::string_view::npos);
      FUZZ_CHECK(url.find(orvane::kMinimizeCommand) != std::string_view::npos);
      break;
    case orvane::PageCommandKind::kLoadGame:
      FUZZ_CHECK(url.find(orvane::kLoadGameCommand) != std::string_view::npos);
      break;
  }
  if (command.kind != orvane::PageCommandKind::kLoadGame) {
    FUZZ_CHECK(!command.game_address);
  }
  // The game window only ever gets an address the rule allows.
  if (command.game_address) {
    FUZZ_CHECK(orvane::IsGameAddress(*command.game_address));
    CheckGameAddress(*command.game_address);
  }
  return 0;
}
