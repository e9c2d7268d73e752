#include "tabstrip/tab_item.h"

#include "tabstrip/iutab.h"
#include "tabstrip/tab_form.h"

namespace orvane {

void CTabItem::SetCaption(std::string value) {
  caption_ = std::move(value);
  RedrawOwner();
}

void CTabItem::SetHideButton(bool value) {
  hide_button_ = value;
  RedrawOwner();
}

void CTabItem::SetLockSize(bool value) {
  // Only drawn again: the new width shows at the strip's next layout.
  lock_size_ = value;
  RedrawOwner();
}

void CTabItem::SetForm(std::shared_ptr<ITabForm> value) {
  form_ = std::move(value);
  if (form_) {
    form_->Initialize(owner_, weak_from_this());
  }
  if (owner_) {
    owner_->ChangeForm(*this, form_);
  }
}

void CTabItem::RedrawOwner() {
  if (owner_) {
    owner_->Redraw(true);
  }
}

}  // namespace orvane
