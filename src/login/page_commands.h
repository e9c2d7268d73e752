#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// What the login page asks of the client by navigating to an "app://" address.
enum class PageCommandKind {
  kNone,      // an ordinary address: navigate to it
  kExitGame,  // "app://exitgame": close the login screen
  kMinimize,  // "app://minimize": minimise the login screen
  kLoadGame,  // "app://loadgame|<game address>": close the login screen, open the game
};

struct PageCommand {
  PageCommandKind kind = PageCommandKind::kNone;
  // kLoadGame only: the game address; nothing when the command carries no address the
  // game window may open.
  std::optional<std::string> game_address;
};

inline constexpr std::string_view kExitGameCommand = "app://exitgame";
inline constexpr std::string_view kMinimizeCommand = "app://minimize";
inline constexpr std::string_view kLoadGameCommand = "app://loadgame";

// Recognises a command anywhere in `url`, letter case included, in the order exit,
// minimise, load game; the first that matches wins.
PageCommand ParsePageCommand(std::string_view url);

// The second "|"-separated field of `url` (to the next "|" or the end), or nothing when
// the address has no "|".
std::optional<std::string_view> SecondField(std::string_view url);

// True for an address the game window may open: an http:// or https:// address (scheme
// in any letter case) with a host, and without spaces or control characters; well-formed
// UTF-8 without the characters that reorder text when shown (right-to-left marks and
// overrides). A page must not make the client open local files or run script addresses
// in its game window.
bool IsGameAddress(std::string_view address);

}  // namespace orvane
