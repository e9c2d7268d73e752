#pragma once

#include <windows.h>

#include <functional>

#include "base/win32/unique_handle.h"
#include "updater/updater_ports.h"

namespace orvane::win32 {

// The updater's window: the product's title and icon, one status line, a progress bar
// and a "取消" button. Closing the window counts as "取消"; the window itself stays
// until the updater ends.
class UpdaterWindow final : public UpdaterView {
 public:
  UpdaterWindow(HINSTANCE instance, std::function<void()> on_cancel);
  ~UpdaterWindow() override = default;
  UpdaterWindow(const UpdaterWindow&) = delete;
  UpdaterWindow& operator=(const UpdaterWindow&) = delete;

  bool Created() const { return static_cast<bool>(window_); }
  void Show();

  void SetStatus(std::string_view text) override;
  void SetProgress(std::int64_t done, std::int64_t total) override;
  void EnableCancel(bool enabled) override;
  void ShowError(std::string_view text) override;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) noexcept;
  LRESULT Handle(UINT message, WPARAM w, LPARAM l);

  std::function<void()> on_cancel_;
  UniqueIcon icon_;
  UniqueIcon small_icon_;
  UniqueFont font_;
  UniqueWindow window_;  // destroyed first: its children use the font and icons
  HWND status_ = nullptr;
  HWND progress_ = nullptr;
  HWND cancel_ = nullptr;
};

// A message box of the updater, or a line in the file ORVANE_UPDATER_MESSAGE_LOG names
// (automated runs, where a box would wait for nobody) when that file can be written.
void ShowUpdaterMessage(HWND owner, std::string_view text);

}  // namespace orvane::win32
