#pragma once

#include <any>
#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

class ITabForm;
class IuTab;

// One tab: what it shows, the page behind it and where the strip's layout put it. Items are
// always held by shared_ptr (the collection creates them) so that a page can keep a weak
// reference to its own tab.
class CTabItem : public std::enable_shared_from_this<CTabItem> {
 public:
  CTabItem() = default;
  CTabItem(const CTabItem&) = delete;
  CTabItem& operator=(const CTabItem&) = delete;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);

  const std::shared_ptr<ITabForm>& Form() const { return form_; }
  // Stores the page and introduces it to its tab and strip. A page replaced here is left
  // as it is: neither unloaded nor given back.
  void SetForm(std::shared_ptr<ITabForm> value);

  bool HideButton() const { return hide_button_; }
  void SetHideButton(bool value);

  // A locked tab keeps the standard width of the strip's style at the next layout.
  bool LockSize() const { return lock_size_; }
  void SetLockSize(bool value);

  // Written by the strip's layout only.
  std::int32_t Left() const { return left_; }
  std::int32_t Width() const { return width_; }
  void SetLeft(std::int32_t value) { left_ = value; }
  void SetWidth(std::int32_t value) { width_ = value; }

  // The caller's own data, kept and handed back as it was given.
  const std::any& ItemData() const { return item_data_; }
  void SetItemData(std::any value) { item_data_ = std::move(value); }

  // Bound by the collection; a back-reference that keeps nothing alive.
  IuTab* Owner() const { return owner_; }
  void SetOwner(IuTab* tab) { owner_ = tab; }

  // The page window's style before the strip took it in, to give the window back with.
  std::uint32_t SavedStyle() const { return saved_style_; }
  void SetSavedStyle(std::uint32_t value) { saved_style_ = value; }

 private:
  void RedrawOwner();

  std::string caption_;
  std::shared_ptr<ITabForm> form_;
  bool hide_button_ = false;
  std::int32_t left_ = 0;
  std::int32_t width_ = 0;
  bool lock_size_ = false;
  std::any item_data_;
  IuTab* owner_ = nullptr;
  std::uint32_t saved_style_ = 0;
};

}  // namespace orvane
