#include "mainwin/hand_over.h"

#include "login/page_commands.h"

namespace orvane {

bool HandOverAddress(std::string_view address, HandOverOwner& owner) {
  if (!IsGameAddress(address)) {
    return false;
  }
  owner.PresentMainWindow();
  owner.OpenGameTab(std::string(address));
  return true;
}

}  // namespace orvane
