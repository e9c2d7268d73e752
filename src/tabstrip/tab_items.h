#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tabstrip/tab_index.h"

namespace orvane {

class CTabItem;
class IPageWindowOps;
class ITabForm;
class IuTab;

// The list's own failure when a key is used twice.
inline constexpr int kErrDuplicateKey = 457;

// The strip's tabs in order, each optionally under a key that is unique without regard to
// letter case. The collection owns its items; each item holds its page, and pages still
// in the list when the collection ends are unloaded with it.
class CTabItems {
 public:
  explicit CTabItems(IPageWindowOps& platform);
  ~CTabItems();
  CTabItems(const CTabItems&) = delete;
  CTabItems& operator=(const CTabItems&) = delete;

  // Binds the owning strip. Called once, before anything else uses the collection.
  void SetOwner(IuTab* tab) { owner_ = tab; }

  // Builds a tab for `Form` and inserts it at `Index` (a position 0 .. Count; appended
  // when absent). Throws NumberedError 5 when `Index` is not a number or `Form` is missing,
  // 9 when it is out of range, kErrDuplicateKey for a key already in the list; by then the
  // page has already been introduced to the strip and taken into its container.
  bool Add(const std::string& Caption, std::shared_ptr<ITabForm> Form,
           std::optional<std::string> Key = std::nullopt,
           std::optional<TabIndex> Index = std::nullopt);
  // Removes one tab if the owner agrees; unloads its page when `bUnload`.
  bool Remove(const TabIndex& Index, bool bUnload);
  // Unloads every page and empties the list without asking anyone.
  void Clear();
  // The position of a tab named by key, position, page or item; -1 when there is none.
  std::int32_t FindItem(const TabIndex& Index) const noexcept;
  // Removes a tab without unloading its page and gives the page back to the desktop as a
  // top-level window, centred on the screen. Returns the page (so that the caller can
  // keep it), or null when nothing was released: no such tab, or the owner refused.
  std::shared_ptr<ITabForm> ReleaseForm(const TabIndex& Index);

  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }
  // The item with a key (NumberedError 5 when the key is unknown) or at a position (null
  // outside 0 .. Count - 1). A page or an item names the tab that holds it.
  std::shared_ptr<CTabItem> Item(const TabIndex& Index) const;

  std::int32_t Selected() const;
  void SetSelected(std::int32_t value);

 private:
  struct Entry {
    std::optional<std::string> key;
    std::shared_ptr<CTabItem> item;
  };

  std::int32_t FindKey(const std::string& key) const;
  std::int32_t FindIdentity(const CTabItem* item) const;
  static std::int32_t InsertPosition(const TabIndex& index, std::int32_t count);
  static void Release(std::vector<Entry>& entries);

  IPageWindowOps& platform_;
  IuTab* owner_ = nullptr;
  std::vector<Entry> entries_;
};

}  // namespace orvane
