#pragma once
// CNxNotifyIcon: one icon in the system's notification area (tray) for a window, with a
// tip, an optional balloon, removed when the object ends. The object keeps what the icon
// shows; a platform tray puts it on screen. Mouse clicks on the icon come back as the
// mouse message the shell puts in the callback message's lParam, and the owner decides
// what they do.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// The mouse messages the owner acts on.
inline constexpr std::uint32_t kTrayLeftButtonUp = 0x0202;
inline constexpr std::uint32_t kTrayRightButtonUp = 0x0205;

// Everything the icon shows. Texts are UTF-8; the platform converts them.
struct NotifyIconState {
  std::uint32_t window = 0;  // receives the callback messages (Windows)
  std::uint32_t icon = 0;    // icon handle (Windows)
  std::uint32_t callback_message = 0;
  std::string tip;
  std::string info_title;  // balloon title; empty: no balloon
  std::string info;        // balloon text
  std::uint32_t info_flags = 0;
};

enum class NotifyIconCommand { kAdd, kModify, kDelete };

// The platform's tray: shows, changes and removes the icon the state describes.
class NotifyIconHost {
 public:
  virtual void Notify(NotifyIconCommand command, const NotifyIconState& state) = 0;

 protected:
  ~NotifyIconHost() = default;
};

// Receives the icon's clicks.
class NotifyIconOwner {
 public:
  // A left click: the main window toggles between hidden and shown.
  virtual void OnTrayLeftClick() = 0;
  // A right click: the main window pops up its program menu.
  virtual void OnTrayRightClick() = 0;

 protected:
  ~NotifyIconOwner() = default;
};

class CNxNotifyIcon {
 public:
  // The host must outlive the object; the owner may be null (clicks are then ignored).
  explicit CNxNotifyIcon(NotifyIconHost& host, NotifyIconOwner* owner = nullptr);
  // Removes the icon, as DeleteNotifyIcon does.
  ~CNxNotifyIcon();
  CNxNotifyIcon(const CNxNotifyIcon&) = delete;
  CNxNotifyIcon& operator=(const CNxNotifyIcon&) = delete;

  void AddNotifyIcon(std::uint32_t hWnd, std::uint32_t hIcon, std::string_view strTip);
  // Same fields as AddNotifyIcon. It keeps the callback message the add gave, so the
  // owner's tray clicks go on working after a modify.
  void ModifyNotifyIcon(std::uint32_t hWnd, std::uint32_t hIcon, std::string_view strTip);
  void ShowBubble(std::string_view strTitle, std::string_view strInfo, std::uint32_t eInfoFlags);
  void HideBubble();
  void DeleteNotifyIcon();

  // The owner window's procedure hands every tray callback message's lParam here: a left
  // or right button release goes to the owner. Answers whether it was one of those two.
  bool OnCallbackMessage(std::uint32_t lParam);

  const NotifyIconState& State() const { return state_; }

 private:
  NotifyIconHost& host_;
  NotifyIconOwner* owner_;
  NotifyIconState state_;
};

}  // namespace orvane
