#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "tabstrip/tab_index.h"
#include "base/window_handle.h"

namespace orvane {

class CTabItem;
class CTabItems;
class ITabForm;
class uTab;

// What the tab collection and its items expect of the strip that owns them.
class IuTab {
 public:
  virtual ~IuTab() = default;

  // A tab was inserted: take the page window in (hidden), repair the selection, lay out, draw.
  virtual void Add(const std::string& Caption, const std::shared_ptr<ITabForm>& Form,
                   const std::optional<std::string>& Key, const std::optional<TabIndex>& Index) = 0;
  // Asked before a tab goes; false keeps it.
  virtual bool BeforeRemove(std::int32_t Index) = 0;
  // A tab has left the list.
  virtual void Remove(std::int32_t Index) = 0;
  // The list was emptied.
  virtual void Clear() = 0;
  // An item property changed: draw again with the current layout.
  virtual void Redraw(bool bUpdate) = 0;
  // An item got another page.
  virtual void ChangeForm(CTabItem& Item, const std::shared_ptr<ITabForm>& Form) = 0;

  virtual std::int32_t Selected() const = 0;
  virtual void SetSelected(std::int32_t value) = 0;
  virtual CTabItems& TabItems() = 0;
  virtual WindowHandle hWnd() const = 0;
  // The window of the form the strip sits on; 0 when there is none.
  virtual WindowHandle hParent() const = 0;
  // The strip object itself; null for an owner that is not a strip control.
  virtual uTab* Control() = 0;
};

}  // namespace orvane
