#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The running client as a second start (or a DDE execute request) reaches it.
class HandOverOwner {
 public:
  virtual ~HandOverOwner() = default;
  // Opens the address in a game tab, or selects the tab that shows it.
  virtual void OpenGameTab(const std::string& strURL) = 0;
  // Undoes a minimisation and brings the main window forward.
  virtual void PresentMainWindow() = 0;
};

// Hands a game address over to the running client: only an address the game window may
// open (http or https) is passed on; anything else is refused and never navigated.
// Returns whether the address was accepted.
bool HandOverAddress(std::string_view address, HandOverOwner& owner);

}  // namespace orvane
