#include "mainwin/notify_icon.h"

#include "mainwin/notify_icon_record.h"

namespace orvane {

CNxNotifyIcon::CNxNotifyIcon(NotifyIconHost& host, NotifyIconOwner* owner)
    : host_(host), owner_(owner) {}

CNxNotifyIcon::~CNxNotifyIcon() {
  DeleteNotifyIcon();
}

void CNxNotifyIcon::AddNotifyIcon(std::uint32_t hWnd, std::uint32_t hIcon,
                                  std::string_view strTip) {
  state_.window = hWnd;
  state_.icon = hIcon;
  state_.callback_message = kTrayCallbackMessage;
  state_.tip = std::string(strTip);
  host_.Notify(NotifyIconCommand::kAdd, state_);
}

void CNxNotifyIcon::ModifyNotifyIcon(std::uint32_t hWnd, std::uint32_t hIcon,
                                     std::string_view strTip) {
  state_.window = hWnd;
  state_.icon = hIcon;
  // A modify before any add still names the owner's message.
  state_.callback_message = kTrayCallbackMessage;
  state_.tip = std::string(strTip);
  host_.Notify(NotifyIconCommand::kModify, state_);
}

void CNxNotifyIcon::ShowBubble(std::string_view strTitle, std::string_view strInfo,
                               std::uint32_t eInfoFlags) {
  state_.info_title = std::string(strTitle);
  state_.info = std::string(strInfo);
  state_.info_flags = eInfoFlags;
  host_.Notify(NotifyIconCommand::kModify, state_);
}

void CNxNotifyIcon::HideBubble() {
  state_.info_title.clear();
  state_.info.clear();
  host_.Notify(NotifyIconCommand::kModify, state_);
}

void CNxNotifyIcon::DeleteNotifyIcon() {
  host_.Notify(NotifyIconCommand::kDelete, state_);
}

bool CNxNotifyIcon::OnCallbackMessage(std::uint32_t lParam) {
  if (lParam == kTrayLeftButtonUp) {
    if (owner_ != nullptr) {
      owner_->OnTrayLeftClick();
    }
    return true;
  }
  if (lParam == kTrayRightButtonUp) {
    if (owner_ != nullptr) {
      owner_->OnTrayRightClick();
    }
    return true;
  }
  return false;
}

}  // namespace orvane
