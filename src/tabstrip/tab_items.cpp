#include "tabstrip/tab_items.h"

#include <cmath>

#include "base/numbered_error.h"
#include "base/rounding.h"
#include "tabstrip/iutab.h"
#include "tabstrip/page_window_ops.h"
#include "tabstrip/tab_form.h"
#include "tabstrip/tab_item.h"

namespace orvane {
namespace {

constexpr const char* kInvalidArgumentText = "Invalid procedure call or argument";
constexpr const char* kOutOfRangeText = "Subscript out of range";
constexpr const char* kDuplicateKeyText =
    "This key is already associated with an element of this collection";

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Keys are game addresses and plain words: letters compare without regard to case, every
// other byte (UTF-8 sequences included) must match exactly.
bool KeysEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// A number as a position; NaN is no position at all.
std::optional<std::int32_t> ToPosition(double number) {
  if (std::isnan(number)) {
    return std::nullopt;
  }
  return CLng(number);
}

}  // namespace

CTabItems::CTabItems(IPageWindowOps& platform) : platform_(platform) {}

CTabItems::~CTabItems() {
  // The owner is ending too: pages are closed without telling it.
  for (Entry& entry : entries_) {
    entry.item->SetOwner(nullptr);
  }
  for (Entry& entry : entries_) {
    if (const auto form = entry.item->Form()) {
      form->Unload();
    }
  }
}

std::int32_t CTabItems::FindKey(const std::string& key) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].key && KeysEqual(*entries_[i].key, key)) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

std::int32_t CTabItems::FindIdentity(const CTabItem* item) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].item.get() == item) {
      return static_cast<std::int32_t>(i);
    }
  }
  return -1;
}

std::int32_t CTabItems::FindItem(const TabIndex& Index) const noexcept {
  if (entries_.empty()) {
    return -1;
  }
  if (const std::string* key = Index.key()) {
    return FindKey(*key);
  }
  if (const double* number = Index.number()) {
    const auto position = ToPosition(*number);
    if (!position || *position < 0 || *position >= Count()) {
      return -1;
    }
    return *position;
  }
  if (const ITabForm* page = Index.page()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].item->Form().get() == page) {
        return static_cast<std::int32_t>(i);
      }
    }
    return -1;
  }
  if (const CTabItem* item = Index.item()) {
    return FindIdentity(item);
  }
  return -1;
}

std::shared_ptr<CTabItem> CTabItems::Item(const TabIndex& Index) const {
  std::int32_t position = -1;
  if (const std::string* key = Index.key()) {
    position = FindKey(*key);
    if (position < 0) {
      throw NumberedError(kErrInvalidArgument, kInvalidArgumentText);
    }
  } else {
    position = FindItem(Index);
  }
  if (position < 0) {
    return nullptr;
  }
  return entries_[static_cast<std::size_t>(position)].item;
}

std::int32_t CTabItems::InsertPosition(const TabIndex& index, std::int32_t count) {
  const double* number = index.number();
  const auto position = number ? ToPosition(*number) : std::nullopt;
  if (!position) {
    throw NumberedError(kErrInvalidArgument, kInvalidArgumentText);
  }
  if (*position < 0 || *position > count) {
    throw NumberedError(kErrOutOfRange, kOutOfRangeText);
  }
  return *position;
}

bool CTabItems::Add(const std::string& Caption, std::shared_ptr<ITabForm> Form,
                    std::optional<std::string> Key, std::optional<TabIndex> Index) {
  if (!Form) {
    throw NumberedError(kErrInvalidArgument, kInvalidArgumentText);
  }
  const std::uint32_t style = platform_.WindowStyle(Form->hWnd());

  auto item = std::make_shared<CTabItem>();
  item->SetSavedStyle(style);
  item->SetOwner(owner_);
  Form->Initialize(owner_, item);
  item->SetCaption(Caption);
  // Hosts the page window in the strip's container, hidden, before the tab exists: a
  // failure below leaves the page there and discards only the item.
  item->SetForm(Form);

  const std::int32_t position = Index ? InsertPosition(*Index, Count()) : Count();
  if (Key && FindKey(*Key) >= 0) {
    throw NumberedError(kErrDuplicateKey, kDuplicateKeyText);
  }
  entries_.insert(entries_.begin() + position, Entry{std::move(Key), item});

  if (owner_) {
    owner_->Add(Caption, Form, entries_[static_cast<std::size_t>(position)].key, Index);
    platform_.Activate(owner_->hWnd());
  }
  return true;
}

bool CTabItems::Remove(const TabIndex& Index, bool bUnload) {
  std::int32_t position = FindItem(Index);
  if (position < 0) {
    return false;
  }
  const std::shared_ptr<CTabItem> item = entries_[static_cast<std::size_t>(position)].item;
  const std::shared_ptr<ITabForm> form = item->Form();
  if (owner_ && !owner_->BeforeRemove(position)) {
    return false;
  }
  // The close question reaches the host, which may have changed the list meanwhile.
  position = FindIdentity(item.get());
  if (position < 0) {
    return false;
  }
  entries_.erase(entries_.begin() + position);
  item->SetOwner(nullptr);
  if (owner_) {
    owner_->Remove(position);
  }
  if (bUnload && form) {
    form->Unload();
  }
  return true;
}

void CTabItems::Clear() {
  // Unloading a page may call back into the list; work on a snapshot of it.
  const std::vector<Entry> snapshot = entries_;
  for (const Entry& entry : snapshot) {
    if (const auto form = entry.item->Form()) {
      form->Unload();
    }
  }
  std::vector<Entry> old;
  old.swap(entries_);
  Release(old);
  if (owner_) {
    owner_->Clear();
  }
}

void CTabItems::Release(std::vector<Entry>& entries) {
  for (Entry& entry : entries) {
    entry.item->SetOwner(nullptr);
  }
  entries.clear();
}

std::shared_ptr<ITabForm> CTabItems::ReleaseForm(const TabIndex& Index) {
  const std::int32_t position = FindItem(Index);
  if (position < 0) {
    return nullptr;
  }
  const std::shared_ptr<CTabItem> item = entries_[static_cast<std::size_t>(position)].item;
  std::shared_ptr<ITabForm> form = item->Form();
  const std::uint32_t saved_style = item->SavedStyle();
  // A refused removal keeps the tab, so its page must stay where it is, too.
  if (!Remove(position, false)) {
    return nullptr;
  }
  if (form) {
    const WindowHandle window = form->hWnd();
    platform_.MakeTopLevel(window);
    const Size screen = platform_.ScreenSize();
    const Rect rect = platform_.WindowRect(window);
    platform_.SetWindowStyle(window, saved_style);
    platform_.PlaceOnTopShown(window, CLng((screen.cx - rect.width) / 2.0),
                              CLng((screen.cy - rect.height) / 2.0));
  }
  // Repaint the place the page left.
  if (owner_) {
    if (const WindowHandle parent = owner_->hParent()) {
      platform_.Repaint(parent);
    }
  }
  return form;
}

std::int32_t CTabItems::Selected() const {
  return owner_ ? owner_->Selected() : -1;
}

void CTabItems::SetSelected(std::int32_t value) {
  if (owner_) {
    owner_->SetSelected(value);
  }
}

}  // namespace orvane
