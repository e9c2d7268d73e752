#pragma once

#include <memory>

#include "base/window_handle.h"

namespace orvane {

class CTabItem;
class IuTab;

// A page that can live in a tab of the strip.
class ITabForm {
 public:
  virtual ~ITabForm() = default;

  // The page's own window; a top-level window until the strip takes it in.
  virtual WindowHandle hWnd() const = 0;
  // Hands the page the strip and its own tab. Both are back-references: the page must not
  // rely on them keeping anything alive. `Item` expires when the tab leaves the strip, and
  // `Implement` is only meaningful while it has not.
  virtual void Initialize(IuTab* Implement, std::weak_ptr<CTabItem> Item) = 0;
  // Reloads the page's content.
  virtual void RefreshPage() = 0;
  // Closes and destroys the page's window. How is the page's own matter; the collection only
  // asks for it, and a page that is asked twice must take the second request calmly.
  virtual void Unload() noexcept = 0;
};

}  // namespace orvane
